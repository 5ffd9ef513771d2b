#include "core/lib/image_info.h"

namespace orv {

void RegisterImageInfoLibrary() {
  RegisterClass("TImageInfo", "TObject");
  RegisterProp("TIMAGEINFO.WIDTH", Method<TImageInfo, [](TImageInfo& i, ArgBlock&, Variant& r) { r = i.Width; }>);
  RegisterProp("TIMAGEINFO.HEIGHT", Method<TImageInfo, [](TImageInfo& i, ArgBlock&, Variant& r) { r = i.Height; }>);
  RegisterProp("TIMAGEINFO.IMGTYPE",
               Method<TImageInfo, [](TImageInfo& i, ArgBlock&, Variant& r) { r = i.ImgType; }>);
}

}  // namespace orv
