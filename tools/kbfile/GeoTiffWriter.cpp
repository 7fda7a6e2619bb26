#include "kbfile/GeoTiffWriter.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace {
struct DatasetCloser {
    void operator()(void* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

std::string lastGdalError(const char* fallback) {
    const char* message = CPLGetLastErrorMsg();
    return message && *message ? message : fallback;
}

bool setCrs(GDALDatasetH dataset, int epsg) {
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    bool ok = OSRImportFromEPSG(srs, epsg) == OGRERR_NONE;
    char* wkt = nullptr;
    ok = ok && OSRExportToWkt(srs, &wkt) == OGRERR_NONE;
    ok = ok && GDALSetProjection(dataset, wkt) == CE_None;
    CPLFree(wkt);
    OSRDestroySpatialReference(srs);
    return ok;
}

bool writeBand(GDALDatasetH dataset, int band, const std::uint8_t* data, int w, int h) {
    GDALRasterBandH b = GDALGetRasterBand(dataset, band);
    return GDALRasterIO(b, GF_Write, 0, 0, w, h, const_cast<std::uint8_t*>(data), w, h, GDT_Byte, 0,
                        0) == CE_None;
}

bool fill(GDALDatasetH dataset, const MosaicAccumulator& mosaic) {
    const MosaicGrid& g = mosaic.grid();
    std::array<double, 6> transform = g.geoTransform();
    if (GDALSetGeoTransform(dataset, transform.data()) != CE_None ||
        !setCrs(dataset, g.zone.epsgCode())) {
        return false;
    }
    GDALRasterBandH value = GDALGetRasterBand(dataset, 1);
    GDALSetRasterColorInterpretation(value, GCI_GrayIndex);
    GDALSetRasterNoDataValue(value, MosaicAccumulator::kNoData);
    GDALSetRasterColorInterpretation(GDALGetRasterBand(dataset, 2), GCI_AlphaBand);
    const std::vector<std::uint8_t> alpha = mosaic.alpha();
    return writeBand(dataset, 1, mosaic.values().data(), g.width, g.height) &&
           writeBand(dataset, 2, alpha.data(), g.width, g.height);
}
}  // namespace

bool GeoTiffWriter::write(const MosaicAccumulator& mosaic, const std::string& path,
                          std::string* error) {
    GDALAllRegister();
    // GDAL's messages reach the user through `error`, as one line, not on stderr as well.
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    if (!driver) {
        CPLPopErrorHandler();
        *error = "GDAL has no GeoTIFF driver";
        return false;
    }
    const std::string temporary = path + ".part";
    char** options = nullptr;
    options = CSLSetNameValue(options, "TILED", "YES");
    options = CSLSetNameValue(options, "COMPRESS", "DEFLATE");
    options = CSLSetNameValue(options, "ALPHA", "YES");
    options = CSLSetNameValue(options, "BIGTIFF", "IF_SAFER");
    const MosaicGrid& g = mosaic.grid();
    bool ok = false;
    {
        Dataset dataset(
            GDALCreate(driver, temporary.c_str(), g.width, g.height, 2, GDT_Byte, options));
        ok = dataset && fill(dataset.get(), mosaic);
        if (!ok) {
            *error = "cannot write the GeoTIFF: " + lastGdalError("GDAL refused the file");
        }
    }
    CSLDestroy(options);
    // GDAL reports write-back failures when the dataset closes.
    if (ok && CPLGetLastErrorType() >= CE_Failure) {
        *error = "cannot write the GeoTIFF: " + lastGdalError("GDAL failed closing the file");
        ok = false;
    }
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temporary, path, ec);
        if (ec) {
            *error = "cannot write the GeoTIFF: " + ec.message();
            ok = false;
        }
    }
    if (!ok) {
        std::filesystem::remove(temporary, ec);
    }
    CPLPopErrorHandler();
    return ok;
}
