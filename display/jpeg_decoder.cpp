// JPEG decoding into rasters, over the libjpeg call sequence of jpeg_core.
#include <new>

#include "display/jpeg_core.h"
#include "display/picture_decoders.h"

namespace sorvane {
namespace {

// Gives libjpeg's output a home in a raster; an allocation failure abandons
// the decode instead of throwing through the C library.
Pixel* allocate_raster(void* sink, int width, int height) {
  auto* raster = static_cast<PixelRaster*>(sink);
  try {
    raster->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  raster->width = width;
  raster->height = height;
  return raster->pixels.data();
}

JpegJob make_job(const std::uint8_t* data, std::size_t size, const DecodeLimits& limits,
                 PixelRaster& raster) {
  JpegJob job;
  job.data = data;
  job.size = size;
  job.max_side = limits.max_side;
  job.max_pixels = limits.max_pixels;
  job.max_work_bytes = limits.max_jpeg_work_bytes;
  job.max_scans = limits.max_jpeg_scans;
  job.sink = &raster;
  job.allocate = allocate_raster;
  return job;
}

}  // namespace

std::optional<PixelRaster> decode_jpeg(const std::uint8_t* data, std::size_t size,
                                       const DecodeLimits& limits) {
  if (data == nullptr || size == 0) return std::nullopt;
  PixelRaster raster;
  JpegJob job = make_job(data, size, limits, raster);
  if (!run_jpeg_job(job) || raster.empty()) return std::nullopt;
  return raster;
}

namespace {

struct Chooser {
  const std::function<PictureRect(int, int)>* choose;
  bool failed;
};

// Sets the job's rectangle from the caller's choice; a choice that throws
// abandons the decode rather than unwinding through libjpeg.
void choose_rectangle(JpegJob& job, void* context) {
  auto* chooser = static_cast<Chooser*>(context);
  PictureRect r;
  try {
    r = (*chooser->choose)(job.picture_width, job.picture_height);
  } catch (...) {
    chooser->failed = true;
    r = PictureRect{};
  }
  job.left = r.left;
  job.top = r.top;
  job.right = static_cast<std::int64_t>(r.left) + (r.width > 0 ? r.width : 0);
  job.bottom = static_cast<std::int64_t>(r.top) + (r.height > 0 ? r.height : 0);
}

}  // namespace

std::optional<PictureRegion> decode_jpeg_region(
    const std::uint8_t* data, std::size_t size,
    const std::function<PictureRect(int picture_width, int picture_height)>& choose,
    const DecodeLimits& limits) {
  if (data == nullptr || size == 0 || !choose) return std::nullopt;
  PictureRegion region;
  JpegJob job = make_job(data, size, limits, region.pixels);
  Chooser chooser{&choose, false};
  job.crop = true;
  job.choose_rectangle = choose_rectangle;
  job.choose_context = &chooser;
  if (!run_jpeg_job(job) || chooser.failed) return std::nullopt;
  region.picture_width = job.picture_width;
  region.picture_height = job.picture_height;
  region.left = job.out_left;
  region.top = job.out_top;
  if (job.out_width == 0 || job.out_height == 0) region.pixels = PixelRaster{};
  return region;
}

}  // namespace sorvane
