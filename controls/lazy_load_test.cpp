// A program that links only the component library does not load Qt until it
// uses a visual class; then liborvcontrols.so is opened and its classes work.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "components/published.h"

namespace orv {
namespace {

bool Loaded(const std::string& library) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line))
    if (line.find(library) != std::string::npos) return true;
  return false;
}

TEST(LazyLoadTest, VisualClassesOpenTheControlsLibraryOnFirstUse) {
  EXPECT_FALSE(Loaded("libQt6Widgets"));
  EXPECT_FALSE(Loaded("liborvcontrols"));
  // The visual classes' names and parents are known without Qt.
  EXPECT_EQ(ClassParent("TEdit"), "TCustomEdit");
  EXPECT_EQ(ClassParent("TCustomForm"), "TScrollingWinControl");
  EXPECT_FALSE(Loaded("libQt6Widgets"));
  EXPECT_THROW(ClassInstance("TComponent"), EClassNotFound) << "only some classes have one object per process";
  EXPECT_FALSE(Loaded("liborvcontrols"));

  std::unique_ptr<TComponent> form(CreateComponent("TForm", nullptr));
  EXPECT_TRUE(Loaded("liborvcontrols"));
  EXPECT_EQ(form->ClassName(), "TForm");
  TComponent* edit = CreateComponent("TEdit", form.get());
  SetPropValue(*edit, "Text", std::string("typed"));
  EXPECT_EQ(std::get<std::string>(GetPropValue(*edit, "Text")), "typed");
  EXPECT_EQ(FindClassDescriptor("TEdit")->name, "TEdit");
  TComponent* application = ClassInstance("TApplication");
  EXPECT_EQ(application->ClassName(), "TApplication");
  EXPECT_EQ(ClassInstance("tapplication"), application);
  EXPECT_EQ(ClassInstance("TScreen")->ClassName(), "TScreen");
}

}  // namespace
}  // namespace orv
