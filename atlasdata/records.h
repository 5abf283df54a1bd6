// The atlas's record classes: plain records with public fields.
#pragma once

#include <cstdint>
#include <string>

namespace quil2a {

struct placetype {
    double xlab = 0, xseed = 0, ylab = 0, yseed = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string name;
    int32_t fontsize = 0;
    int32_t date1 = 0, date2 = 0;
    std::string descriptor;
    bool active = false;
    std::string evodata;
};

struct peopletype {
    std::string name;
    int32_t placeID = 0;
    int32_t date1 = 0, date2 = 0;
    std::string descriptor;
};

struct eventtype {
    std::string name;
    int32_t placeID = 0;
    int32_t date1 = 0, date2 = 0;
    std::string descriptor;
};

struct clicknametype {
    std::string name;
    std::string evodata;
};

struct citiestype {
    double x = 0, y = 0;
    int32_t date1 = 0, date2 = 0;
    std::string name;
    std::string descriptor;
};

struct zonetype {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    void set(const zonetype& other)
    {
        x1 = other.x1;
        y1 = other.y1;
        x2 = other.x2;
        y2 = other.y2;
    }
};

struct EUmemtype {
    bool status = false;
    std::string evodata;
};

}  // namespace quil2a
