#pragma once

#include <string>

#include "survey/RasterWriter.h"

// Writes a mosaic as a GeoTIFF through GDAL: band 1 the 8-bit intensity with no-data value 0,
// band 2 its alpha mask, the grid's geotransform and its "WGS 84 / UTM zone" CRS by EPSG code,
// deflate-compressed tiles. The file is written beside the target and renamed over it, so a
// failed write never leaves half a mosaic under the requested name.
class GeoTiffWriter : public RasterWriter {
  public:
    bool write(const MosaicAccumulator& mosaic, const std::string& path,
               std::string* error) override;
};
