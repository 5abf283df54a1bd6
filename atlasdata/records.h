// The atlas's record classes: plain records with public fields.
#pragma once

#include <cstdint>
#include <string>

namespace quil2a {

// A place: label point, seed point (a pixel of its territory), box, name,
// dates; `active` while its label is shown at the date.
struct placetype {
    double xlab = 0, xseed = 0, ylab = 0, yseed = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string name;
    int32_t fontsize = 0;
    int32_t date1 = 0, date2 = 0;
    std::string descriptor;
    bool active = false;
    // The label's token list: "i" or "o" with a date10 ("i14530 o16480"), in date order.
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

// The name a click on a colour index gives, as of the date.
struct clicknametype {
    std::string name;
    // Its token list: date10, ",", a type byte, then the record it names
    // ("10000,p1 17073,p8": places from 1, people -1 and below).
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

// Membership of the European Communities and Union (EU) by colour index: the
// membership colour scheme colours members in full and the rest pale.
struct EUmemtype {
    bool status = false;  // a member at the date shown
    // Its token list: "i" or "o" with a date10, in date order.
    std::string evodata;
};

}  // namespace quil2a
