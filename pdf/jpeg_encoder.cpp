#include "pdf/jpeg_encoder.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>
#include <vector>

#include "platform/error.h"

namespace quiral {

namespace {

// Plain C data only: everything between setjmp and longjmp must be free of destructors.
struct JpegOutput {
  jpeg_destination_mgr manager;
  unsigned char* data;
  size_t size;
  size_t capacity;
};

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  errors->manager.format_message(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void outputMessage(j_common_ptr) {}  // warnings are not shown

bool grow(JpegOutput* out) {
  size_t capacity = out->capacity ? out->capacity * 2 : 65536;
  auto* data = static_cast<unsigned char*>(std::realloc(out->data, capacity));
  if (!data) return false;
  out->data = data;
  out->capacity = capacity;
  out->manager.next_output_byte = data + out->size;
  out->manager.free_in_buffer = capacity - out->size;
  return true;
}

void initDestination(j_compress_ptr info) {
  auto* out = reinterpret_cast<JpegOutput*>(info->dest);
  if (!grow(out)) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
}

boolean emptyOutputBuffer(j_compress_ptr info) {
  auto* out = reinterpret_cast<JpegOutput*>(info->dest);
  out->size = out->capacity;  // the encoder filled the whole buffer
  if (!grow(out)) ERREXIT1(info, JERR_OUT_OF_MEMORY, 1);
  return TRUE;
}

void termDestination(j_compress_ptr info) {
  auto* out = reinterpret_cast<JpegOutput*>(info->dest);
  out->size = out->capacity - out->manager.free_in_buffer;
}

// The only function that calls the encoder. Returns false with errors->message filled when the
// encoder failed; `out` holds whatever it wrote and is freed by the caller either way. All state
// lives behind the pointers (none of which change after setjmp), so nothing is lost on longjmp.
bool compressRows(const unsigned char* rgb, int width, int height, int quality,
                  jpeg_compress_struct* info, JpegOutput* out, JpegErrors* errors) {
  info->err = jpeg_std_error(&errors->manager);
  errors->manager.error_exit = errorExit;
  errors->manager.output_message = outputMessage;
  if (setjmp(errors->jump)) {
    jpeg_destroy_compress(info);
    return false;
  }
  jpeg_create_compress(info);
  out->manager.init_destination = initDestination;
  out->manager.empty_output_buffer = emptyOutputBuffer;
  out->manager.term_destination = termDestination;
  info->dest = &out->manager;
  info->image_width = JDIMENSION(width);
  info->image_height = JDIMENSION(height);
  info->input_components = 3;
  info->in_color_space = JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, quality, TRUE);
  jpeg_start_compress(info, TRUE);
  const size_t stride = size_t(width) * 3;
  while (info->next_scanline < info->image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(info->next_scanline) * stride);
    jpeg_write_scanlines(info, &row, 1);
  }
  jpeg_finish_compress(info);
  jpeg_destroy_compress(info);
  return true;
}

}  // namespace

std::string encodeJpeg(const Bitmap& bitmap, int quality) {
  std::vector<unsigned char> expanded;
  const unsigned char* rgb = bitmap.data();
  if (bitmap.format() == Bitmap::Format::Indexed8) {
    expanded.resize(size_t(bitmap.width()) * size_t(bitmap.height()) * 3);
    const auto& palette = bitmap.palette();
    const uint8_t* src = bitmap.data();
    for (size_t i = 0, n = size_t(bitmap.width()) * size_t(bitmap.height()); i < n; ++i) {
      Color c = palette[src[i]];
      expanded[3 * i] = redOf(c);
      expanded[3 * i + 1] = greenOf(c);
      expanded[3 * i + 2] = blueOf(c);
    }
    rgb = expanded.data();
  }

  jpeg_compress_struct info{};
  JpegOutput out{};
  JpegErrors errors{};
  bool ok = compressRows(rgb, bitmap.width(), bitmap.height(), quality, &info, &out, &errors);
  std::string jpeg;
  if (ok) jpeg.assign(reinterpret_cast<const char*>(out.data), out.size);
  std::free(out.data);
  if (!ok) throw QuiralError(std::string("JPEG encoding failed: ") + errors.message);
  return jpeg;
}

}  // namespace quiral
