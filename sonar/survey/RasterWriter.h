#pragma once

#include <string>

#include "survey/MosaicAccumulator.h"

// The port a finished mosaic leaves through: a georeferenced raster file (GeoTIFF by GDAL in
// kbfile). Returns false with a one-line reason in `error`; the caller names the file.
class RasterWriter {
  public:
    virtual ~RasterWriter() = default;
    virtual bool write(const MosaicAccumulator& mosaic, const std::string& path,
                       std::string* error) = 0;
};
