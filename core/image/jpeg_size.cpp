#include "core/image/jpeg_size.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
// The JPEG library's header needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "core/image/image_errors.h"
#include "core/image/image_library.h"

namespace orv {

namespace {

// libjpeg's routines (image_library.h).
struct JpegLibrary {
  decltype(&jpeg_std_error) StdError = nullptr;
  decltype(&jpeg_CreateDecompress) CreateDecompress = nullptr;
  decltype(&jpeg_destroy_decompress) DestroyDecompress = nullptr;
  decltype(&jpeg_stdio_src) StdioSource = nullptr;
  decltype(&jpeg_mem_src) MemorySource = nullptr;
  decltype(&jpeg_read_header) ReadHeader = nullptr;
  ImageLibrary library;
};

constexpr const char* kJpegLibrary = "libjpeg.so.62";

void FindJpeg(JpegLibrary& jpeg) {
  jpeg.library.Find("jpeg_std_error", jpeg.StdError);
  jpeg.library.Find("jpeg_CreateDecompress", jpeg.CreateDecompress);
  jpeg.library.Find("jpeg_destroy_decompress", jpeg.DestroyDecompress);
  jpeg.library.Find("jpeg_stdio_src", jpeg.StdioSource);
  jpeg.library.Find("jpeg_mem_src", jpeg.MemorySource);
  jpeg.library.Find("jpeg_read_header", jpeg.ReadHeader);
}

const JpegLibrary& Jpeg() { return LibraryRoutines<JpegLibrary, FindJpeg>("JPEG", kJpegLibrary); }

// The library's error manager extended with a jump back into ReadHeader and
// room for the message of the error that ended the reading.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// The decompressor and its error manager. They live outside the function that
// calls setjmp, so their contents are well defined after the jump back.
struct HeaderReader {
  jpeg_decompress_struct info{};
  ErrorManager manager{};
};

// Replaces the library's exit on a fatal error: keep the message and return
// to the setjmp point in ReadHeader. No C++ object lives between the two.
[[noreturn]] void ErrorExit(j_common_ptr info) {
  ErrorManager* manager = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings and trace messages are not printed.
void OutputMessage(j_common_ptr) {}

// Reads the header from `file` when it is not null, else from `data`/`size`,
// into `size_out`. Returns false with the reader's message filled when the
// library failed. Nothing here has a destructor, as longjmp skips them.
bool ReadHeader(const JpegLibrary& jpeg, HeaderReader& reader, std::FILE* file, const unsigned char* data,
                unsigned long size, TImageSize& size_out) {
  jpeg_decompress_struct& info = reader.info;
  info.err = jpeg.StdError(&reader.manager.base);
  reader.manager.base.error_exit = ErrorExit;
  reader.manager.base.output_message = OutputMessage;
  if (setjmp(reader.manager.jump) != 0) {
    jpeg.DestroyDecompress(&info);
    return false;
  }
  jpeg.CreateDecompress(&info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
  if (file != nullptr)
    jpeg.StdioSource(&info, file);
  else
    jpeg.MemorySource(&info, data, size);
  const int result = jpeg.ReadHeader(&info, TRUE);
  if (result == JPEG_HEADER_OK) size_out = {info.image_width, info.image_height};
  else
    std::snprintf(reader.manager.message, sizeof reader.manager.message, "JPEG datastream contains no image");
  jpeg.DestroyDecompress(&info);
  return result == JPEG_HEADER_OK;
}

TImageSize Measure(std::FILE* file, std::string_view data) {
  const JpegLibrary& jpeg = Jpeg();
  HeaderReader reader;
  TImageSize size;
  if (!ReadHeader(jpeg, reader, file, reinterpret_cast<const unsigned char*>(data.data()),
                  static_cast<unsigned long>(data.size()), size))
    throw EJpegError(reader.manager.message);
  return size;
}

}  // namespace

TImageSize ReadJpegSize(const std::string& file_name) {
  std::FILE* file = std::fopen(file_name.c_str(), "rb");
  if (file == nullptr)
    throw EInOutError("Cannot open file \"" + file_name + "\". " + std::strerror(errno));
  try {
    TImageSize size = Measure(file, {});
    std::fclose(file);
    return size;
  } catch (...) {
    std::fclose(file);
    throw;
  }
}

TImageSize ReadJpegSizeFromMemory(std::string_view data) { return Measure(nullptr, data); }

}  // namespace orv
