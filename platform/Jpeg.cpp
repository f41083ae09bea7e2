#include "Jpeg.h"

#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include <jpeglib.h>

// ---------------------------------------------------------------------------
// The one place that talks to libjpeg. It is plain C in spirit: libjpeg
// reports errors by calling error_exit, which here longjmps back to the
// setjmp below. No object with a destructor lives between the two, and the
// library never prints or exits.

namespace {

constexpr int kMaxScans = 1000;             // progressive files with endless scans
constexpr long kMaxPixels = 64L * 1024 * 1024;

struct TJpegError {
  jpeg_error_mgr pub;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX + 64];
};

struct TJpegProgress {
  jpeg_progress_mgr pub;
  TJpegError* error;
};

void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  longjmp(err->jump, 1);
}

void JpegOutputMessage(j_common_ptr) {}

// A warning means damaged data (libjpeg would fill the rest with grey), so it
// ends the decode as an error does.
void JpegEmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) JpegErrorExit(cinfo);
}

void JpegProgress(j_common_ptr cinfo) {
  auto* progress = reinterpret_cast<TJpegProgress*>(cinfo->progress);
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) {
    std::snprintf(progress->error->message, sizeof progress->error->message,
                  "JPEG file has more than %d scans", kMaxScans);
    longjmp(progress->error->jump, 1);
  }
}

// Decodes into a malloc'd BGRA buffer (4 bytes a pixel, rows packed).
// Returns 1 on success; on failure fills message and returns 0.
int DecodeJpeg(const unsigned char* data, size_t size, unsigned char** pixels, int* width, int* height,
               char* message, size_t messageSize) {
  jpeg_decompress_struct cinfo;
  TJpegError err;
  TJpegProgress progress;
  unsigned char* volatile buffer = nullptr;

  *pixels = nullptr;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JpegErrorExit;
  err.pub.output_message = JpegOutputMessage;
  err.pub.emit_message = JpegEmitMessage;
  err.message[0] = 0;
  progress.pub.progress_monitor = JpegProgress;
  progress.error = &err;

  if (setjmp(err.jump)) {
    std::snprintf(message, messageSize, "%s", err.message[0] ? err.message : "JPEG decoding failed");
    jpeg_destroy_decompress(&cinfo);
    std::free(buffer);
    return 0;
  }

  jpeg_create_decompress(&cinfo);
  cinfo.progress = &progress.pub;
  if (size == 0) {
    std::snprintf(err.message, sizeof err.message, "JPEG data is empty");
    longjmp(err.jump, 1);
  }
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGRA;
  if (static_cast<long>(cinfo.image_width) * static_cast<long>(cinfo.image_height) > kMaxPixels) {
    std::snprintf(err.message, sizeof err.message, "JPEG image of %u x %u pixels is too large",
                  cinfo.image_width, cinfo.image_height);
    longjmp(err.jump, 1);
  }
  jpeg_start_decompress(&cinfo);

  const size_t stride = static_cast<size_t>(cinfo.output_width) * 4;
  buffer = static_cast<unsigned char*>(std::malloc(stride * cinfo.output_height));
  if (!buffer) {
    std::snprintf(err.message, sizeof err.message, "Out of memory decoding JPEG image");
    longjmp(err.jump, 1);
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = buffer + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  *width = static_cast<int>(cinfo.output_width);
  *height = static_cast<int>(cinfo.output_height);
  jpeg_destroy_decompress(&cinfo);
  *pixels = buffer;
  return 1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Results decoded ahead of time, taken by the first load of the same bytes.

namespace {

struct TDecoded {
  std::vector<uint8_t> Data;
  unsigned char* Pixels = nullptr;
  int Width = 0, Height = 0;
  std::string Error;
};

std::mutex& DecodedMutex() {
  static std::mutex m;
  return m;
}

std::vector<TDecoded>& Decoded() {
  static std::vector<TDecoded> results;
  return results;
}

// A decode of the bytes, ahead of time or now.
TDecoded TakeOrDecode(const std::vector<uint8_t>& data) {
  {
    std::lock_guard<std::mutex> lock(DecodedMutex());
    auto& all = Decoded();
    for (auto it = all.begin(); it != all.end(); ++it)
      if (it->Data == data) {
        TDecoded d = std::move(*it);
        all.erase(it);
        return d;
      }
  }
  TDecoded d;
  char message[JMSG_LENGTH_MAX + 64];
  if (!DecodeJpeg(data.data(), data.size(), &d.Pixels, &d.Width, &d.Height, message, sizeof message))
    d.Error = message;
  return d;
}

}  // namespace

void PredecodeJpeg(const std::vector<uint8_t>& data) {
  TDecoded d = TakeOrDecode(data);
  d.Data = data;
  std::lock_guard<std::mutex> lock(DecodedMutex());
  Decoded().push_back(std::move(d));
}

TJPEGImage::TJPEGImage() : FBitmap(new TBitmap) { FBitmap->SetPixelFormat(pf32bit); }
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return FBitmap->Width(); }
int TJPEGImage::Height() const { return FBitmap->Height(); }

void TJPEGImage::Draw(TCanvas* canvas, const TRect& r) { FBitmap->Draw(canvas, r); }

void TJPEGImage::LoadFromBytes(const std::vector<uint8_t>& data) {
  const TDecoded d = TakeOrDecode(data);
  if (!d.Error.empty()) throw EInvalidGraphic("JPEG error: " + d.Error);
  unsigned char* pixels = d.Pixels;
  const int w = d.Width, h = d.Height;
  // The buffer is BGRA with alpha 0xFF, which is QImage's RGB32 layout.
  QImage image(pixels, w, h, w * 4, QImage::Format_RGB32, [](void* p) { std::free(p); }, pixels);
  FBitmap->Image() = std::move(image);
  FData = data;
  Changed();
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto j = std::make_unique<TJPEGImage>();
  j->FData = FData;
  j->FBitmap->Image() = FBitmap->Image();  // implicitly shared, copied on write
  j->SetTransparent(Transparent());
  return j;
}

void TJPEGImage::Assign(TPersistent* source) {
  if (auto* j = dynamic_cast<TJPEGImage*>(source)) {
    if (j == this) return;
    FData = j->FData;
    FBitmap->Image() = j->FBitmap->Image();
    Changed();
    return;
  }
  TGraphic::Assign(source);
}
