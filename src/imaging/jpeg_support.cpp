#include "jpeg_support.h"

#include <jerror.h>

#include <QIODevice>

namespace {

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, manager->message);
  if (manager->printMessage) (*cinfo->err->output_message)(cinfo);
  std::longjmp(manager->jump, 1);
}

constexpr std::size_t kSourceBufferBytes = 16384;

struct DeviceSource {
  jpeg_source_mgr pub;
  QIODevice* device;
  JOCTET* buffer;
  bool started;
};

void InitSource(j_decompress_ptr cinfo) {
  reinterpret_cast<DeviceSource*>(cinfo->src)->started = false;
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  auto* source = reinterpret_cast<DeviceSource*>(cinfo->src);
  qint64 got = source->device->read(reinterpret_cast<char*>(source->buffer),
                                    static_cast<qint64>(kSourceBufferBytes));
  if (got <= 0) {
    if (!source->started) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    got = 2;
  }
  source->pub.next_input_byte = source->buffer;
  source->pub.bytes_in_buffer = static_cast<std::size_t>(got);
  source->started = true;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = cinfo->src;
  while (count > static_cast<long>(source->bytes_in_buffer)) {
    count -= static_cast<long>(source->bytes_in_buffer);
    (*source->fill_input_buffer)(cinfo);
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

}  // namespace

jpeg_error_mgr* UseJpegErrorManager(JpegErrorManager& manager) {
  jpeg_error_mgr* error = jpeg_std_error(&manager.pub);
  error->error_exit = ErrorExit;
  return error;
}

void UseJpegDeviceSource(j_decompress_ptr cinfo, QIODevice* device) {
  auto* source = static_cast<DeviceSource*>((*cinfo->mem->alloc_small)(
      reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(DeviceSource)));
  source->buffer = static_cast<JOCTET*>((*cinfo->mem->alloc_small)(
      reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kSourceBufferBytes));
  source->device = device;
  source->started = false;
  source->pub.init_source = InitSource;
  source->pub.fill_input_buffer = FillInputBuffer;
  source->pub.skip_input_data = SkipInputData;
  source->pub.resync_to_restart = jpeg_resync_to_restart;
  source->pub.term_source = TermSource;
  source->pub.bytes_in_buffer = 0;
  source->pub.next_input_byte = nullptr;
  cinfo->src = &source->pub;
}
