// The atlas projection for tests that name places by longitude and latitude:
// Lambert conformal conic on WGS84, standard parallels 35N and 65N, origin 48N
// 20E, 250 m a map unit, y growing south.
#pragma once

#include <cmath>
#include <numbers>

namespace testsupport {

struct MapPoint {
    double x, y;
};

inline MapPoint toMap(double lon, double lat)
{
    const double a = 6378137, f = 1 / 298.257223563, e2 = 2 * f - f * f, e = std::sqrt(e2);
    const double rad = std::numbers::pi / 180;
    const auto m = [&](double phi) { return std::cos(phi) / std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi)); };
    const auto t = [&](double phi) {
        const double s = std::sin(phi);
        return std::tan(std::numbers::pi / 4 - phi / 2) / std::pow((1 - e * s) / (1 + e * s), e / 2);
    };
    const double p1 = 35 * rad, p2 = 65 * rad;
    const double n = (std::log(m(p1)) - std::log(m(p2))) / (std::log(t(p1)) - std::log(t(p2)));
    const double af = a * m(p1) / (n * std::pow(t(p1), n));
    const double rho0 = af * std::pow(t(48 * rad), n);
    const double rho = af * std::pow(t(lat * rad), n);
    const double theta = n * (lon - 20) * rad;
    return {12804.182 + rho * std::sin(theta) / 250, 12124.852 - (rho0 - rho * std::cos(theta)) / 250};
}

}  // namespace testsupport
