#pragma once

#include <gtest/gtest.h>
#include <ogr_srs_api.h>

#include <utility>
#include <vector>

// (lat, lon) pairs to (easting, northing) in the EPSG grid, by PROJ through GDAL's OSR: an
// independent check on our own projection.
inline std::vector<std::pair<double, double>> projectWithProj(
    int epsg, const std::vector<std::pair<double, double>>& latLon) {
    OGRSpatialReferenceH wgs84 = OSRNewSpatialReference(nullptr);
    OGRSpatialReferenceH utm = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(wgs84, 4326);
    OSRImportFromEPSG(utm, epsg);
    OSRSetAxisMappingStrategy(wgs84, OAMS_TRADITIONAL_GIS_ORDER);
    OSRSetAxisMappingStrategy(utm, OAMS_TRADITIONAL_GIS_ORDER);
    OGRCoordinateTransformationH ct = OCTNewCoordinateTransformation(wgs84, utm);
    std::vector<std::pair<double, double>> out;
    for (const auto& [lat, lon] : latLon) {
        double x = lon, y = lat;
        if (!ct || !OCTTransform(ct, 1, &x, &y, nullptr)) {
            ADD_FAILURE() << "PROJ could not transform " << lat << " " << lon;
        }
        out.emplace_back(x, y);
    }
    if (ct) {
        OCTDestroyCoordinateTransformation(ct);
    }
    OSRDestroySpatialReference(wgs84);
    OSRDestroySpatialReference(utm);
    return out;
}

inline std::pair<double, double> projectWithProj(int epsg, double lat, double lon) {
    return projectWithProj(epsg, {{lat, lon}}).front();
}
