// A reader's checklist of the political map: who held a place at a date, as the
// histories record it, read off the drawn map the way the identify click reads it
// (the colour index of the colour drawn there, looked up over the whole palette).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <map>
#include <string>
#include <vector>

#include "atlasdata/atlas.h"
#include "engine/engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"
#include "support/stored_atlas.h"

namespace {

// The atlas projection: Lambert conformal conic on WGS84, standard parallels 35N
// and 65N, origin 48N 20E, 250 m a map unit, y growing south.
struct MapPoint {
    double x, y;
};

MapPoint toMap(double lon, double lat)
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

struct Check {
    const char* place;
    double lon, lat;
    const char* nation;
};

struct AtDate {
    double date;
    std::vector<Check> checks;
};

// Names are the click names, in Windows-1252.
const AtDate kChecklist[] = {
    {1000,
     {{"London", -0.13, 51.5, "England"}, {"Perth", -3.43, 56.4, "Scotland"},
      {"Glamorgan", -3.4, 51.65, "Wales"}, {"Paris", 2.35, 48.85, "Kingdom of France"},
      {"Rouen", 1.1, 49.44, "Normandy"}, {"Poitiers", 0.34, 46.58, "Aquitaine"},
      {"Toulouse", 1.44, 43.6, "Toulouse"}, {"Córdoba", -4.78, 37.88, "Caliphate of C\xf3" "rdoba"},
      {"Toledo", -4.02, 39.86, "Caliphate of C\xf3" "rdoba"},
      {"Santarém", -8.68, 39.23, "Caliphate of C\xf3" "rdoba"}, {"León", -5.57, 42.6, "Le\xf3" "n"},
      {"Santiago", -8.54, 42.88, "Le\xf3" "n"}, {"Vic", 2.25, 41.93, "Barcelona"},
      {"Pamplona", -1.64, 42.82, "Navarre"}, {"Rome", 12.6, 41.9, "Papal States"},
      {"Milan", 9.19, 45.46, "Kingdom of Italy"}, {"Enna", 14.28, 37.57, "Emirate of Sicily"},
      {"Bari", 16.7, 41.0, "Byzantine Empire"}, {"Kraków", 19.94, 50.06, "Poland"},
      {"Poznań", 16.93, 52.41, "Poland"}, {"Prague", 14.42, 50.08, "Bohemia"},
      {"Regensburg", 12.1, 49.02, "Bavaria"}, {"Esztergom", 18.9, 47.6, "Hungary"},
      {"Kiev", 30.52, 50.45, "Kievan Rus'"}, {"Novgorod", 31.27, 58.52, "Kievan Rus'"},
      {"Bolghar", 49.06, 54.98, "Volga Bulgaria"}, {"Thrace", 28.0, 41.2, "Byzantine Empire"},
      {"Thebes", 23.3, 38.3, "Byzantine Empire"}, {"Prilep", 21.55, 41.35, "Bulgaria"},
      {"Belgrade", 20.5, 44.75, "Bulgaria"}, {"Morava", 21.0, 43.95, "Bulgaria"},
      {"Sofia", 23.32, 42.7, "Bulgaria"}, {"Ras", 20.5, 43.1, "Serbia"},
      {"Ankara", 32.86, 39.93, "Byzantine Empire"}, {"Trebizond", 39.72, 40.9, "Byzantine Empire"},
      {"Cairo", 31.24, 30.04, "Fatimid Caliphate"}, {"Jerusalem", 35.21, 31.77, "Fatimid Caliphate"},
      {"Damascus", 36.3, 33.51, "Fatimid Caliphate"}, {"Baghdad", 44.37, 33.31, "Abbasid Caliphate"},
      {"Isfahan", 51.67, 32.65, "Buyids"}, {"Kairouan", 10.1, 35.68, "Zirids"},
      {"Kutaisi", 42.7, 42.27, "Georgia"}, {"Dongola", 30.48, 19.17, "Makuria"}, {"Soba", 32.7, 15.5, "Alwa"},
      {"Uppsala", 17.64, 59.86, "Sweden"}, {"Zealand", 11.9, 55.45, "Denmark"},
      {"Trøndelag", 10.9, 63.2, "Norway"}, {"Iceland", -19.0, 64.9, "Icelandic Commonwealth"}}},
    {1100,
     {{"London", -0.13, 51.5, "England"}, {"Toledo", -4.02, 39.86, "Castile"},
      {"Córdoba", -4.78, 37.88, "Almoravids"}, {"Marrakesh", -8.0, 31.63, "Almoravids"},
      {"Fès", -5.0, 34.03, "Almoravids"}, {"Zaragoza", -0.88, 41.65, "Taifa kingdoms"},
      {"Moscow", 37.62, 55.75, "Kievan Rus'"}, {"Sofia", 23.32, 42.7, "Byzantine Empire"},
      {"Belgrade", 20.5, 44.75, "Byzantine Empire"}, {"Skopje", 21.43, 42.0, "Byzantine Empire"},
      {"Isfahan", 51.67, 32.65, "Seljuk Empire"}, {"Konya", 32.48, 37.87, "Sultanate of Rum"},
      {"Nicaea", 29.72, 40.43, "Byzantine Empire"}, {"Alexandria", 30.2, 31.0, "Fatimid Caliphate"},
      {"Esztergom", 18.9, 47.6, "Hungary"}, {"Nitra", 18.08, 48.31, "Hungary"},
      {"Iceland", -19.0, 64.9, "Icelandic Commonwealth"}, {"Hodh", -6.3, 19.0, "Almoravids"},
      {"Sidon", 35.4, 33.55, "Fatimid Caliphate"}}},
    {1120,
     {{"Edessa", 38.8, 37.15, "County of Edessa"}}},
    {1150,
     {{"Antioch", 36.3, 36.1, "Principality of Antioch"}, {"Tripoli", 35.95, 34.4, "County of Tripoli"},
      {"Jerusalem", 35.21, 31.77, "Kingdom of Jerusalem"}, {"Aleppo", 37.16, 36.2, "Zengids"},
      {"Mosul", 43.13, 36.34, "Zengids"}, {"Sivas", 37.0, 39.75, "Danishmends"},
      {"Zaragoza", -0.88, 41.65, "Crown of Aragon"}, {"Sousse", 10.5, 35.75, "Kingdom of Sicily"},
      {"Palermo", 13.5, 37.9, "Kingdom of Sicily"}, {"Porto", -8.5, 41.2, "Portugal"}}},
    {1200,
     {{"Seville", -5.98, 37.39, "Almohads"}, {"Marrakesh", -8.0, 31.63, "Almohads"},
      {"Tunis", 10.1, 36.7, "Almohads"}, {"Lisbon", -9.15, 39.0, "Portugal"},
      {"Barcelona", 2.0, 41.5, "Crown of Aragon"}, {"Bordeaux", -0.5, 44.8, "England"},
      {"Rouen", 1.1, 49.44, "England"}, {"Dublin", -6.35, 53.35, "England"},
      {"Cairo", 31.24, 30.04, "Ayyubids"}, {"Damascus", 36.3, 33.51, "Ayyubids"},
      {"Jerusalem", 35.21, 31.77, "Ayyubids"}, {"Konya", 32.48, 37.87, "Sultanate of Rum"},
      {"Ankara", 32.86, 39.93, "Sultanate of Rum"}, {"Tarnovo", 25.63, 43.08, "Bulgaria"},
      {"Kiev", 30.52, 50.45, "Principality of Kiev"}, {"Chernigov", 31.3, 51.5, "Chernigov"},
      {"Novgorod", 31.27, 58.52, "Novgorod"}, {"Vladimir", 40.4, 56.13, "Vladimir-Suzdal"},
      {"Smolensk", 32.05, 54.78, "Smolensk"}, {"Kraków", 19.94, 50.06, "Polish duchies"},
      {"Palermo", 13.5, 37.9, "Kingdom of Sicily"}, {"Bari", 16.7, 41.0, "Kingdom of Sicily"},
      {"Tbilisi", 44.8, 41.7, "Georgia"}, {"Gotland", 18.5, 57.5, "Sweden"},
      {"Ghent", 3.72, 51.05, "Flanders"}, {"Toulouse", 1.44, 43.6, "Toulouse"},
      {"Pamplona", -1.64, 42.82, "Navarre"}, {"Hodh", -6.3, 19.0, "Saharan peoples"}}},
    {1210,
     {{"Constantinople", 28.9, 41.05, "Latin Empire"}, {"Nicaea", 29.72, 40.43, "Empire of Nicaea"},
      {"Thessalonica", 23.0, 40.75, "Kingdom of Thessalonica"}, {"Rouen", 1.1, 49.44, "Kingdom of France"},
      {"Trebizond", 39.72, 40.9, "Empire of Trebizond"}}},
    {1250,
     {{"Córdoba", -4.78, 37.88, "Castile"}, {"Seville", -5.98, 37.39, "Castile"},
      {"León", -5.57, 42.6, "Castile"}, {"Valencia", -0.45, 39.45, "Crown of Aragon"},
      {"Majorca", 2.95, 39.6, "Crown of Aragon"}, {"Granada", -3.6, 37.18, "Emirate of Granada"},
      {"Caernarfon", -4.2, 53.0, "Wales"}, {"Moscow", 37.62, 55.75, "Vladimir-Suzdal"},
      {"Sarai", 46.0, 48.5, "Golden Horde"}, {"Peloponnese", 22.3, 37.5, "Principality of Achaea"},
      {"Ioannina", 20.85, 39.67, "Despotate of Epirus"}, {"Acre", 35.15, 32.9, "Kingdom of Jerusalem"},
      {"Sofia", 23.32, 42.7, "Bulgaria"}, {"Tunis", 10.1, 36.7, "Hafsids"},
      {"Tlemcen", -1.32, 34.88, "Tlemcen"}, {"Kutaisi", 42.7, 42.27, "Georgia"}}},
    {1290,
     {{"Acre", 35.15, 32.9, "Kingdom of Jerusalem"}}},
    {1295,
     {{"Acre", 35.15, 32.9, "Mamluk Sultanate"}}},
    {1300,
     {{"London", -0.13, 51.5, "England"}, {"Caernarfon", -4.2, 53.0, "England"},
      {"Edinburgh", -3.2, 55.9, "Scotland"}, {"Toulouse", 1.44, 43.6, "Kingdom of France"},
      {"Lyon", 4.83, 45.76, "Holy Roman Empire"}, {"Grenoble", 5.72, 45.19, "Holy Roman Empire"},
      {"Rennes", -1.68, 48.11, "Brittany"}, {"Fès", -5.0, 34.03, "Marinids"},
      {"Marrakesh", -8.0, 31.63, "Marinids"}, {"Tunis", 10.1, 36.7, "Hafsids"},
      {"Constantine", 6.61, 36.37, "Hafsids"}, {"Tlemcen", -1.32, 34.88, "Tlemcen"},
      {"Cairo", 31.24, 30.04, "Mamluk Sultanate"}, {"Damascus", 36.3, 33.51, "Mamluk Sultanate"},
      {"Antioch", 36.3, 36.1, "Mamluk Sultanate"}, {"Baghdad", 44.37, 33.31, "Ilkhanate"},
      {"Tabriz", 46.29, 38.08, "Ilkhanate"}, {"Adana", 35.32, 37.0, "Armenian Cilicia"},
      {"Bursa", 29.06, 40.19, "Byzantine Empire"}, {"Thessaloniki", 23.0, 40.75, "Byzantine Empire"},
      {"Athens", 23.8, 38.1, "Duchy of Athens"}, {"Crete", 24.9, 35.2, "Republic of Venice"},
      {"Cyprus", 33.4, 35.1, "Cyprus"}, {"Skopje", 21.43, 42.0, "Serbia"}, {"Belgrade", 20.5, 44.75, "Serbia"},
      {"Morava", 21.0, 43.95, "Serbia"}, {"Trebizond", 39.72, 40.9, "Empire of Trebizond"},
      {"Königsberg", 20.6, 54.65, "Teutonic Order"}, {"Riga", 24.6, 57.1, "Livonian Order"},
      {"Tallinn", 24.8, 59.35, "Denmark"}, {"Vilnius", 25.28, 54.69, "Grand Duchy of Lithuania"},
      {"Lviv", 24.03, 49.84, "Galicia-Volhynia"}, {"Smolensk", 32.05, 54.78, "Smolensk"},
      {"Kazan", 49.1, 55.8, "Golden Horde"}, {"Volgograd", 44.5, 48.7, "Golden Horde"},
      {"Dresden", 13.74, 51.05, "Meissen"}, {"Munich", 11.58, 48.14, "Bavaria"},
      {"Vienna", 16.3, 48.2, "Austria"}, {"Turku", 22.27, 60.45, "Sweden"},
      {"Trondheim", 10.4, 63.43, "Norway"}, {"Iceland", -19.0, 64.9, "Norway"},
      {"Naples", 14.5, 40.9, "Kingdom of Naples"}, {"Palermo", 13.5, 37.9, "Kingdom of Sicily"},
      {"Kiev", 30.52, 50.45, "Golden Horde"}, {"Alexandria", 30.2, 31.0, "Mamluk Sultanate"}}},
    {1330,
     {{"Bursa", 29.06, 40.19, "Ottoman Beylik"}, {"Nicaea", 29.72, 40.43, "Byzantine Empire"}}},
    {1335,
     {{"Nicaea", 29.72, 40.43, "Ottoman Beylik"}}},
    {1350,
     {{"Konya", 32.48, 37.87, "Karaman"}, {"Lyon", 4.83, 45.76, "Kingdom of France"},
      {"Belgrade", 20.5, 44.75, "Hungary"}, {"Skopje", 21.43, 42.0, "Serbia"},
      {"Ioannina", 20.85, 39.67, "Serbia"}, {"Lviv", 24.03, 49.84, "Kingdom of Poland"},
      {"Cagliari", 8.9, 39.35, "Crown of Aragon"}, {"Sardinia", 9.0, 40.0, "Sardinian judicates"}}},
    {1360,
     {{"Adrianople", 26.56, 41.68, "Byzantine Empire"}}},
    {1365,
     {{"Poitiers", 0.34, 46.58, "England"}}},
    {1380,
     {{"Poitiers", 0.34, 46.58, "Kingdom of France"}}},
    {1400,
     {{"Paris", 2.35, 48.85, "Kingdom of France"}, {"Bordeaux", -0.5, 44.8, "England"},
      {"Grenoble", 5.72, 45.19, "Kingdom of France"}, {"Bern", 7.45, 46.95, "Swiss Confederacy"},
      {"Milan", 9.19, 45.46, "Duchy of Milan"}, {"Florence", 11.25, 43.77, "Florence"},
      {"Granada", -3.6, 37.18, "Emirate of Granada"}, {"Adrianople", 26.56, 41.68, "Ottoman Empire"},
      {"Tarnovo", 25.63, 43.08, "Ottoman Empire"}, {"Sofia", 23.32, 42.7, "Ottoman Empire"},
      {"Bursa", 29.06, 40.19, "Ottoman Empire"}, {"Rhodes", 28.0, 36.25, "Knights Hospitaller"},
      {"Adana", 35.32, 37.0, "Mamluk Sultanate"}, {"Bucharest", 26.1, 44.43, "Wallachia"},
      {"Iași", 27.59, 47.16, "Moldavia"}, {"Vilnius", 25.28, 54.69, "Grand Duchy of Lithuania"},
      {"Kiev", 30.52, 50.45, "Grand Duchy of Lithuania"}, {"Minsk", 27.56, 53.9, "Grand Duchy of Lithuania"},
      {"Moscow", 37.62, 55.75, "Grand Duchy of Moscow"}, {"Tver", 35.9, 56.86, "Tver"},
      {"Ryazan", 39.74, 54.63, "Ryazan"}, {"Novgorod", 31.27, 58.52, "Novgorod"},
      {"Smolensk", 32.05, 54.78, "Smolensk"}, {"Saratov", 46.0, 51.53, "Golden Horde"},
      {"Danzig", 18.6, 54.3, "Teutonic Order"}, {"Riga", 24.6, 57.1, "Livonian Order"},
      {"Tallinn", 24.8, 59.35, "Livonian Order"}, {"Vyborg", 28.75, 60.71, "Sweden"},
      {"Kraków", 19.94, 50.06, "Kingdom of Poland"}, {"Breslau", 17.04, 51.11, "Bohemia"},
      {"Prague", 14.42, 50.08, "Bohemia"}, {"Sarajevo", 18.41, 43.86, "Bosnia"},
      {"Mayo", -9.3, 53.9, "Gaelic Ireland"}, {"Sivas", 37.0, 39.75, "Ottoman Empire"},
      {"Damascus", 36.3, 33.51, "Mamluk Sultanate"}}},
    {1402,
     {{"Ankara", 32.86, 39.93, "Ottoman Empire"}}},
    {1403,
     {{"Izmir", 27.3, 38.4, "Anatolian beyliks"}}},
    {1410,
     {{"Belgrade", 20.5, 44.75, "Serbia"}}},
    {1430,
     {{"Rouen", 1.1, 49.44, "England"}, {"Izmir", 27.3, 38.4, "Ottoman Empire"}}},
    {1445,
     {{"Rouen", 1.1, 49.44, "England"}}},
    {1450,
     {{"Dijon", 5.04, 47.32, "Burgundy"}, {"Lausanne", 6.63, 46.52, "Savoy"},
      {"Van", 43.38, 38.5, "Qara Qoyunlu"}, {"Diyarbakır", 40.22, 37.91, "Aq Qoyunlu"},
      {"Baghdad", 44.37, 33.31, "Qara Qoyunlu"}, {"Tabriz", 46.29, 38.08, "Qara Qoyunlu"},
      {"Smolensk", 32.05, 54.78, "Grand Duchy of Lithuania"}, {"Peloponnese", 22.3, 37.5, "Byzantine Empire"},
      {"Thessaloniki", 23.0, 40.75, "Ottoman Empire"}, {"Naples", 14.5, 40.9, "Crown of Aragon"},
      {"Stockholm", 17.64, 59.86, "Sweden"}}},
    {1453.5,
     {{"Constantinople", 28.9, 41.05, "Ottoman Empire"}, {"Trebizond", 39.72, 40.9, "Empire of Trebizond"},
      {"Kazan", 49.1, 55.8, "Khanate of Kazan"}, {"Crimea", 34.1, 45.0, "Crimean Khanate"}}},
    {1455,
     {{"Rouen", 1.1, 49.44, "Kingdom of France"}}},
    {1490,
     {{"Pskov", 28.33, 57.82, "Pskov"}, {"Novgorod", 31.27, 58.52, "Grand Duchy of Moscow"},
      {"Tabriz", 46.29, 38.08, "Aq Qoyunlu"}, {"Bordeaux", -0.5, 44.8, "Kingdom of France"},
      {"Dijon", 5.04, 47.32, "Kingdom of France"}}},
    {1500,
     {{"London", -0.13, 51.5, "England"}, {"Granada", -3.6, 37.18, "Castile"},
      {"Zaragoza", -0.88, 41.65, "Crown of Aragon"}, {"Brussels", 4.35, 50.85, "Habsburg Netherlands"},
      {"Ghent", 3.72, 51.05, "Habsburg Netherlands"}, {"Metz", 6.18, 49.12, "Holy Roman Empire"},
      {"Marseille", 5.5, 43.4, "Kingdom of France"}, {"Turin", 7.68, 45.07, "Savoy"},
      {"Padua", 11.88, 45.41, "Republic of Venice"}, {"Zadar", 15.9, 44.05, "Republic of Venice"},
      {"Rome", 12.6, 41.9, "Papal States"}, {"Belgrade", 20.5, 44.75, "Hungary"},
      {"Morava", 21.0, 43.95, "Ottoman Empire"}, {"Sarajevo", 18.41, 43.86, "Ottoman Empire"},
      {"Skopje", 21.43, 42.0, "Ottoman Empire"}, {"Athens", 23.8, 38.1, "Ottoman Empire"},
      {"Tirana", 19.82, 41.33, "Ottoman Empire"}, {"Konya", 32.48, 37.87, "Ottoman Empire"},
      {"Trebizond", 39.72, 40.9, "Ottoman Empire"}, {"Cairo", 31.24, 30.04, "Mamluk Sultanate"},
      {"Damascus", 36.3, 33.51, "Mamluk Sultanate"}, {"Fès", -5.0, 34.03, "Wattasids"},
      {"Danzig", 18.6, 54.3, "Kingdom of Poland"}, {"Königsberg", 20.6, 54.65, "Teutonic Order"},
      {"Lublin", 22.57, 51.25, "Kingdom of Poland"}, {"Moscow", 37.62, 55.75, "Grand Duchy of Moscow"},
      {"Tver", 35.9, 56.86, "Grand Duchy of Moscow"}, {"Kazan", 49.1, 55.8, "Khanate of Kazan"},
      {"Astrakhan", 48.0, 46.5, "Khanate of Astrakhan"}, {"Chișinău", 28.86, 47.0, "Moldavia"},
      {"Trøndelag", 10.9, 63.2, "Norway"}, {"Tampere", 23.76, 61.5, "Sweden"},
      {"Timbuktu", -3.0, 16.77, "Songhai"}, {"Gao", 0.04, 16.27, "Songhai"},
      {"Kano", 8.52, 12.0, "Hausa kingdoms"}, {"Addis Ababa", 38.74, 9.03, "Ethiopia"},
      {"Stettin", 14.55, 53.43, "Pomerania"}, {"Cyprus", 33.4, 35.1, "Republic of Venice"},
      {"Mecca", 39.83, 21.42, "Mamluk Sultanate"}, {"Simferopol", 34.1, 45.0, "Crimean Khanate"}}},
    {1510,
     {{"Tabriz", 46.29, 38.08, "Safavid Persia"}, {"Erzurum", 41.27, 39.9, "Safavid Persia"},
      {"Diyarbakır", 40.22, 37.91, "Safavid Persia"}}},
    {1520,
     {{"Algiers", 3.1, 36.6, "Regency of Algiers"}}},
    {1530,
     {{"Smolensk", 32.05, 54.78, "Grand Duchy of Moscow"}, {"Ryazan", 39.74, 54.63, "Grand Duchy of Moscow"},
      {"Diyarbakır", 40.22, 37.91, "Ottoman Empire"}, {"Pamplona", -1.64, 42.82, "Spain"},
      {"Rhodes", 28.0, 36.25, "Ottoman Empire"}, {"Mecca", 39.83, 21.42, "Ottoman Empire"},
      {"Tunis", 10.1, 36.7, "Hafsids"}}},
    {1550,
     {{"Budapest", 19.04, 47.5, "Ottoman Empire"}, {"Rennes", -1.68, 48.11, "Kingdom of France"},
      {"Lausanne", 6.63, 46.52, "Swiss Confederacy"}, {"Baghdad", 44.37, 33.31, "Ottoman Empire"},
      {"Erzurum", 41.27, 39.9, "Ottoman Empire"}, {"Adana", 35.32, 37.0, "Ottoman Empire"},
      {"Tabriz", 46.29, 38.08, "Safavid Persia"}, {"Yerevan", 44.6, 40.15, "Safavid Persia"},
      {"Shamakhi", 48.64, 40.63, "Safavid Persia"}, {"Tbilisi", 44.8, 41.7, "Georgia"},
      {"Cairo", 31.24, 30.04, "Ottoman Empire"}, {"Algiers", 3.1, 36.6, "Regency of Algiers"},
      {"Bucharest", 26.1, 44.43, "Wallachia"}, {"Naples", 14.5, 40.9, "Spain"},
      {"Prague", 14.42, 50.08, "Bohemia"}}},
    {1560,
     {{"Sana'a", 44.2, 15.35, "Ottoman Empire"}, {"Tripoli", 13.1, 32.6, "Tripoli"}}},
    {1580,
     {{"Cyprus", 33.4, 35.1, "Ottoman Empire"}, {"Oran", -0.64, 35.7, "Spain"}, {"Oran", -0.64, 35.7, "Spain"}}},
    {1590,
     {{"Tbilisi", 44.8, 41.7, "Ottoman Empire"}, {"Yerevan", 44.6, 40.15, "Ottoman Empire"},
      {"Tabriz", 46.29, 38.08, "Ottoman Empire"}, {"Shamakhi", 48.64, 40.63, "Ottoman Empire"},
      {"Ganja", 46.36, 40.68, "Ottoman Empire"}, {"Isfahan", 51.67, 32.65, "Safavid Persia"}}},
    {1600,
     {{"London", -0.13, 51.5, "England"}, {"Edinburgh", -3.2, 55.9, "Scotland"},
      {"Dublin", -6.35, 53.35, "Kingdom of Ireland"}, {"Paris", 2.35, 48.85, "Kingdom of France"},
      {"Metz", 6.18, 49.12, "Kingdom of France"}, {"Lille", 3.06, 50.63, "Spanish Netherlands"},
      {"Brussels", 4.35, 50.85, "Spanish Netherlands"}, {"Amsterdam", 4.95, 52.35, "Dutch Republic"},
      {"Liège", 5.57, 50.63, "Li\xe8" "ge"}, {"Strasbourg", 7.75, 48.58, "Holy Roman Empire"},
      {"Madrid", -3.7, 40.42, "Spain"}, {"Perpignan", 2.8, 42.65, "Spain"}, {"Milan", 9.19, 45.46, "Spain"},
      {"Florence", 11.25, 43.77, "Tuscany"}, {"Bologna", 11.34, 44.49, "Papal States"},
      {"Corsica", 9.1, 42.15, "Republic of Genoa"}, {"Sardinia", 9.0, 40.0, "Spain"},
      {"Dresden", 13.74, 51.05, "Saxony"}, {"Königsberg", 20.6, 54.65, "Duchy of Prussia"},
      {"Kraków", 19.94, 50.06, "Polish-Lithuanian Commonwealth"},
      {"Warsaw", 21.0, 52.23, "Polish-Lithuanian Commonwealth"},
      {"Vilnius", 25.28, 54.69, "Grand Duchy of Lithuania"},
      {"Kiev", 30.52, 50.45, "Polish-Lithuanian Commonwealth"},
      {"Riga", 24.6, 57.1, "Polish-Lithuanian Commonwealth"}, {"Tallinn", 24.8, 59.35, "Sweden"},
      {"Scania", 13.5, 55.9, "Denmark"}, {"Gotland", 18.5, 57.5, "Denmark"},
      {"Moscow", 37.62, 55.75, "Tsardom of Russia"}, {"Kazan", 49.1, 55.8, "Tsardom of Russia"},
      {"Astrakhan", 48.0, 46.5, "Tsardom of Russia"}, {"Saratov", 46.0, 51.53, "Tsardom of Russia"},
      {"Arkhangelsk", 40.6, 64.5, "Tsardom of Russia"}, {"Crimea", 34.1, 45.0, "Crimean Khanate"},
      {"Budapest", 19.04, 47.5, "Ottoman Empire"}, {"Pécs", 18.23, 46.07, "Ottoman Empire"},
      {"Timișoara", 21.23, 45.75, "Ottoman Empire"}, {"Novi Sad", 19.85, 45.25, "Ottoman Empire"},
      {"Belgrade", 20.5, 44.75, "Ottoman Empire"}, {"Cluj", 23.6, 46.77, "Wallachia"},
      {"Debrecen", 21.63, 47.53, "Transylvania"}, {"Nitra", 18.08, 48.31, "Hungary"},
      {"Cyprus", 33.4, 35.1, "Ottoman Empire"}, {"Rhodes", 28.0, 36.25, "Ottoman Empire"},
      {"Baghdad", 44.37, 33.31, "Ottoman Empire"}, {"Basra", 47.6, 30.6, "Ottoman Empire"},
      {"Mosul", 43.13, 36.34, "Ottoman Empire"}, {"Aleppo", 37.16, 36.2, "Ottoman Empire"},
      {"Jerusalem", 35.21, 31.77, "Ottoman Empire"}, {"Medina", 39.61, 24.47, "Ottoman Empire"},
      {"Tunis", 10.1, 36.7, "Tunis"}, {"Tripoli", 13.1, 32.6, "Tripoli"},
      {"Constantine", 6.61, 36.37, "Regency of Algiers"}, {"Tlemcen", -1.32, 34.88, "Regency of Algiers"},
      {"Marrakesh", -8.0, 31.63, "Morocco"}, {"Dongola", 30.48, 19.17, "Funj Sultanate"},
      {"Khartoum", 32.6, 15.55, "Funj Sultanate"}, {"Van", 43.38, 38.5, "Ottoman Empire"},
      {"Erzurum", 41.27, 39.9, "Ottoman Empire"}, {"Ioannina", 20.85, 39.67, "Ottoman Empire"},
      {"Lisbon", -9.15, 39.0, "Portugal"}, {"Tyumen", 65.53, 57.15, "Tsardom of Russia"},
      {"Herat", 62.2, 34.35, "Safavid Persia"}, {"Kabul", 69.2, 34.5, "Mughal Empire"},
      {"Balkh", 66.9, 36.75, "Khanate of Bukhara"}}},
    {1610,
     {{"Tabriz", 46.29, 38.08, "Safavid Persia"}, {"Yerevan", 44.6, 40.15, "Safavid Persia"},
      {"Shamakhi", 48.64, 40.63, "Safavid Persia"}, {"Ganja", 46.36, 40.68, "Safavid Persia"},
      {"Tbilisi", 44.8, 41.7, "Georgia"}, {"Akhaltsikhe", 43.0, 41.64, "Ottoman Empire"},
      {"Cluj", 23.6, 46.77, "Transylvania"}, {"Donegal", -8.0, 54.85, "Kingdom of Ireland"}}},
    {1630,
     {{"Baghdad", 44.37, 33.31, "Safavid Persia"}, {"Smolensk", 32.05, 54.78, "Grand Duchy of Lithuania"},
      {"Riga", 24.6, 57.1, "Sweden"}}},
    {1648,
     {{"Amsterdam", 4.95, 52.35, "Dutch Republic"}, {"Bern", 7.45, 46.95, "Swiss Confederacy"},
      {"Stettin", 14.55, 53.43, "Sweden"}, {"Vienna", 16.3, 48.2, "Austria"},
      {"Munich", 11.58, 48.14, "Bavaria"}, {"Scania", 13.5, 55.9, "Denmark"},
      {"Gotland", 18.5, 57.5, "Sweden"}, {"Crete", 24.9, 35.2, "Ottoman Empire"},
      {"Baghdad", 44.37, 33.31, "Ottoman Empire"}}},
    {1650,
     {{"Jelgava", 23.72, 56.65, "Courland"}, {"Crete", 24.9, 35.2, "Ottoman Empire"},
      {"Milan", 9.19, 45.46, "Spain"}, {"Perpignan", 2.8, 42.65, "Kingdom of France"},
      {"Narva", 28.2, 59.37, "Sweden"}, {"St Petersburg", 30.3, 59.9, "Sweden"},
      {"Crete", 24.9, 35.2, "Ottoman Empire"}, {"St Petersburg", 30.3, 59.9, "Sweden"},
      {"Narva-Ingria", 29.5, 59.4, "Sweden"}, {"Kandahar", 65.7, 31.6, "Safavid Persia"}}},
    {1680,
     {{"Kamianets", 26.58, 48.68, "Ottoman Empire"}}},
    {1700,
     {{"London", -0.13, 51.5, "England"}, {"Edinburgh", -3.2, 55.9, "Scotland"},
      {"Strasbourg", 7.75, 48.58, "Kingdom of France"}, {"Lille", 3.06, 50.63, "Kingdom of France"},
      {"Besançon", 6.02, 47.24, "Kingdom of France"}, {"Perpignan", 2.8, 42.65, "Kingdom of France"},
      {"Nancy", 6.18, 48.69, "Lorraine"}, {"Scania", 13.5, 55.9, "Sweden"}, {"Riga", 24.6, 57.1, "Sweden"},
      {"Tallinn", 24.8, 59.35, "Sweden"}, {"Stettin", 14.55, 53.43, "Sweden"},
      {"Budapest", 19.04, 47.5, "Hungary"}, {"Novi Sad", 19.85, 45.25, "Hungary"},
      {"Timișoara", 21.23, 45.75, "Ottoman Empire"}, {"Peloponnese", 22.3, 37.5, "Republic of Venice"},
      {"Crete", 24.9, 35.2, "Ottoman Empire"}, {"Chernigov", 31.3, 51.5, "Tsardom of Russia"},
      {"Smolensk", 32.05, 54.78, "Tsardom of Russia"}, {"Minsk", 27.56, 53.9, "Grand Duchy of Lithuania"},
      {"Salzburg", 13.05, 47.75, "Salzburg"}, {"Kassel", 9.48, 51.31, "Hesse-Kassel"},
      {"Stuttgart", 9.18, 48.78, "W\xfc" "rttemberg"}, {"Modena", 10.93, 44.65, "Modena"},
      {"Parma", 10.33, 44.8, "Parma"}, {"Ancona", 13.2, 43.4, "Papal States"},
      {"Ganja", 46.36, 40.68, "Safavid Persia"}, {"Isfahan", 51.67, 32.65, "Safavid Persia"},
      {"Baghdad", 44.37, 33.31, "Ottoman Empire"}, {"Akhaltsikhe", 43.0, 41.64, "Ottoman Empire"},
      {"El Fasher", 25.35, 13.63, "Sultanate of Darfur"},
      {"Kamianets", 26.58, 48.68, "Polish-Lithuanian Commonwealth"},
      {"Azov", 39.42, 47.1, "Tsardom of Russia"}, {"Sana'a", 44.2, 15.35, "Yemen"}}},
    {1715,
     {{"Sardinia", 9.0, 40.0, "Austria"}}},
    {1720,
     {{"Naples", 14.5, 40.9, "Austria"}, {"Milan", 9.19, 45.46, "Austria"},
      {"Kandahar", 65.7, 31.6, "Hotaki Afghans"}, {"Oran", -0.64, 35.7, "Regency of Algiers"}}},
    {1725,
     {{"Isfahan", 51.67, 32.65, "Hotaki Afghans"}, {"Isfahan", 51.67, 32.65, "Hotaki Afghans"}}},
    {1730,
     {{"Belgrade", 20.5, 44.75, "Austria"}, {"St Petersburg", 30.3, 59.9, "Russian Empire"}}},
    {1740,
     {{"Kabul", 69.2, 34.5, "Persia"}}},
    {1750,
     {{"London", -0.13, 51.5, "Great Britain"}, {"Edinburgh", -3.2, 55.9, "Great Britain"},
      {"Brussels", 4.35, 50.85, "Austrian Netherlands"}, {"Milan", 9.19, 45.46, "Austria"},
      {"Turin", 7.68, 45.07, "Kingdom of Sardinia"}, {"Sardinia", 9.0, 40.0, "Kingdom of Sardinia"},
      {"Naples", 14.5, 40.9, "Kingdom of Naples"}, {"Berlin", 13.4, 52.52, "Prussia"},
      {"Breslau", 17.04, 51.11, "Prussia"}, {"Königsberg", 20.6, 54.65, "Prussia"},
      {"Stettin", 14.55, 53.43, "Prussia"}, {"Hanover", 9.73, 52.37, "Hanover"},
      {"Timișoara", 21.23, 45.75, "Austria"}, {"Belgrade", 20.5, 44.75, "Ottoman Empire"},
      {"Peloponnese", 22.3, 37.5, "Ottoman Empire"}, {"Riga", 24.6, 57.1, "Russian Empire"},
      {"Tallinn", 24.8, 59.35, "Russian Empire"}, {"Vyborg", 28.75, 60.71, "Russian Empire"},
      {"Moscow", 37.62, 55.75, "Russian Empire"}, {"Crimea", 34.1, 45.0, "Crimean Khanate"},
      {"Warsaw", 21.0, 52.23, "Polish-Lithuanian Commonwealth"}, {"Isfahan", 51.67, 32.65, "Persia"},
      {"Tabriz", 46.29, 38.08, "Persia"}, {"Azov", 39.42, 47.1, "Russian Empire"},
      {"Oran", -0.64, 35.7, "Spain"}}},
    {1760,
     {{"Kabul", 69.2, 34.5, "Afghanistan"}}},
    {1780,
     {{"Nancy", 6.18, 48.69, "Kingdom of France"}, {"Corsica", 9.1, 42.15, "Kingdom of France"},
      {"Lviv", 24.03, 49.84, "Austria"}, {"Gdańsk-Pomerelia", 18.0, 54.0, "Prussia"},
      {"Vitebsk", 30.2, 55.2, "Russian Empire"}, {"Minsk", 27.56, 53.9, "Grand Duchy of Lithuania"}}},
    {1789,
     {{"Paris", 2.35, 48.85, "Kingdom of France"}, {"Simferopol", 34.1, 45.0, "Russian Empire"},
      {"Warsaw", 21.0, 52.23, "Polish-Lithuanian Commonwealth"}, {"Lviv", 24.03, 49.84, "Austria"},
      {"Vilnius", 25.28, 54.69, "Grand Duchy of Lithuania"}, {"Cairo", 31.24, 30.04, "Ottoman Empire"}}},
    {1793,
     {{"Paris", 2.35, 48.85, "French Republic"}}},
    {1794,
     {{"Minsk", 27.56, 53.9, "Russian Empire"}, {"Warsaw", 21.0, 52.23, "Polish-Lithuanian Commonwealth"}}},
    {1799,
     {{"Bern", 7.45, 46.95, "Helvetic Republic"}, {"Cairo", 31.24, 30.04, "French Republic"}}},
    {1800,
     {{"Warsaw", 21.0, 52.23, "Prussia"}, {"Kraków", 19.94, 50.06, "Austria"},
      {"Poznań", 16.93, 52.41, "Prussia"}, {"Vilnius", 25.28, 54.69, "Russian Empire"},
      {"Jelgava", 23.72, 56.65, "Russian Empire"}, {"Minsk", 27.56, 53.9, "Russian Empire"},
      {"Odessa", 30.5, 46.7, "Russian Empire"}, {"Brussels", 4.35, 50.85, "French Republic"},
      {"Amsterdam", 4.95, 52.35, "Batavian Republic"}, {"Milan", 9.19, 45.46, "Cisalpine Republic"},
      {"Bologna", 11.34, 44.49, "Cisalpine Republic"}, {"Padua", 11.88, 45.41, "Austria"},
      {"Karlsruhe", 8.4, 49.0, "Baden"}, {"Tbilisi", 44.8, 41.7, "Georgia"},
      {"Oran", -0.64, 35.7, "Regency of Algiers"}}},
    {1802,
     {{"Florence", 11.25, 43.77, "Etruria"}}},
    {1808,
     {{"Amsterdam", 4.95, 52.35, "Kingdom of Holland"}, {"Innsbruck", 11.4, 47.26, "Bavaria"}}},
    {1810,
     {{"Rome", 12.6, 41.9, "French Empire"}, {"Florence", 11.25, 43.77, "French Empire"},
      {"Turin", 7.68, 45.07, "French Empire"}, {"Cologne", 6.96, 50.94, "French Empire"},
      {"Milan", 9.19, 45.46, "Kingdom of Italy"}, {"Padua", 11.88, 45.41, "Kingdom of Italy"},
      {"Warsaw", 21.0, 52.23, "Duchy of Warsaw"}, {"Kraków", 19.94, 50.06, "Duchy of Warsaw"},
      {"Poznań", 16.93, 52.41, "Duchy of Warsaw"}, {"Kassel", 9.48, 51.31, "Kingdom of Westphalia"},
      {"Turku", 22.27, 60.45, "Grand Duchy of Finland"}, {"Tbilisi", 44.8, 41.7, "Russian Empire"},
      {"Yerevan", 44.6, 40.15, "Persia"}, {"Baku-Shamakhi", 48.64, 40.63, "Russian Empire"},
      {"Nakhchivan", 45.4, 39.2, "Persia"}}},
    {1812,
     {{"Amsterdam", 4.95, 52.35, "French Empire"}, {"Paris", 2.35, 48.85, "French Empire"},
      {"Moscow", 37.62, 55.75, "Russian Empire"}, {"Madrid", -3.7, 40.42, "Spain"}}},
    {1815.8,
     {{"Paris", 2.35, 48.85, "Kingdom of France"}, {"Brussels", 4.35, 50.85, "Netherlands"},
      {"Cologne", 6.96, 50.94, "Prussia"}, {"Warsaw", 21.0, 52.23, "Kingdom of Poland"},
      {"Poznań", 16.93, 52.41, "Prussia"}, {"Milan", 9.19, 45.46, "Austrian Empire"},
      {"Padua", 11.88, 45.41, "Austrian Empire"}, {"Genoa", 8.95, 44.45, "Kingdom of Sardinia"},
      {"Salzburg", 13.05, 47.75, "Bavaria"}, {"Oslo", 10.75, 60.0, "Norway"},
      {"Chișinău", 28.86, 47.0, "Russian Empire"}}},
    {1820,
     {{"Corfu", 19.9, 39.6, "Ionian Islands"}, {"Salzburg", 13.05, 47.75, "Austrian Empire"},
      {"Innsbruck", 11.4, 47.26, "Austrian Empire"}}},
    {1830,
     {{"Naples", 14.5, 40.9, "Two Sicilies"}, {"Enna", 14.28, 37.57, "Two Sicilies"},
      {"Constantine", 6.61, 36.37, "Regency of Algiers"}, {"Nakhchivan", 45.4, 39.2, "Russian Empire"},
      {"Bucharest", 26.1, 44.43, "Wallachia"}}},
    {1840,
     {{"Brussels", 4.35, 50.85, "Belgium"}, {"Athens", 23.8, 38.1, "Greece"},
      {"Belgrade", 20.5, 44.75, "Serbia"}, {"Constantine", 6.61, 36.37, "Kingdom of France"}}},
    {1850,
     {{"London", -0.13, 51.5, "United Kingdom"}, {"Dublin", -6.35, 53.35, "United Kingdom"},
      {"Algiers", 3.1, 36.6, "French Republic"}, {"Ouargla", 5.33, 31.95, "Saharan peoples"},
      {"Laghouat", 2.87, 33.8, "Saharan peoples"}, {"Lviv", 24.03, 49.84, "Austrian Empire"},
      {"Kraków", 19.94, 50.06, "Austrian Empire"}, {"Budapest", 19.04, 47.5, "Hungary"},
      {"Chișinău", 28.86, 47.0, "Russian Empire"}, {"Tbilisi", 44.8, 41.7, "Russian Empire"},
      {"Yerevan", 44.6, 40.15, "Russian Empire"}, {"Shamakhi", 48.64, 40.63, "Russian Empire"},
      {"Derbent", 48.1, 42.0, "Russian Empire"}, {"Akhaltsikhe", 43.0, 41.64, "Russian Empire"},
      {"Batumi", 41.9, 41.55, "Ottoman Empire"}, {"Larissa", 22.42, 39.64, "Ottoman Empire"},
      {"Cairo", 31.24, 30.04, "Egypt"}, {"Dongola", 30.48, 19.17, "Egypt"}, {"Khartoum", 32.6, 15.55, "Egypt"},
      {"Kano", 8.52, 12.0, "Sokoto Caliphate"}, {"Bologna", 11.34, 44.49, "Papal States"},
      {"Modena", 10.93, 44.65, "Modena"}, {"Florence", 11.25, 43.77, "Tuscany"},
      {"Turin", 7.68, 45.07, "Kingdom of Sardinia"}, {"Nice", 7.2, 43.85, "Kingdom of Sardinia"},
      {"Schleswig", 9.4, 54.6, "Denmark"}, {"Hanover", 9.73, 52.37, "Hanover"},
      {"Bucharest", 26.1, 44.43, "Wallachia"}, {"Iași", 27.59, 47.16, "Moldavia"}}},
    {1860,
     {{"Laghouat", 2.87, 33.8, "French Empire"}, {"Milan", 9.19, 45.46, "Kingdom of Sardinia"}}},
    {1865,
     {{"Nice", 7.2, 43.85, "French Empire"}, {"Florence", 11.25, 43.77, "Italy"}}},
    {1870,
     {{"Hanover", 9.73, 52.37, "North German Confederation"},
      {"Schleswig", 9.4, 54.6, "North German Confederation"}, {"Ouargla", 5.33, 31.95, "French Empire"},
      {"Tashkent", 69.24, 41.3, "Russian Empire"}, {"Dobruja", 28.6, 44.2, "Ottoman Empire"}}},
    {1871.5,
     {{"Paris", 2.35, 48.85, "France"}, {"Strasbourg", 7.75, 48.58, "German Empire"},
      {"Metz", 6.18, 49.12, "German Empire"}, {"Munich", 11.58, 48.14, "German Empire"},
      {"Rome", 12.6, 41.9, "Italy"}, {"Padua", 11.88, 45.41, "Italy"},
      {"Vienna", 16.3, 48.2, "Austria-Hungary"}, {"Bucharest", 26.1, 44.43, "Romania"},
      {"Corfu", 19.9, 39.6, "Greece"}, {"Sofia", 23.32, 42.7, "Ottoman Empire"}}},
    {1880,
     {{"Plovdiv", 24.75, 42.15, "Ottoman Empire"}, {"Sofia", 23.32, 42.7, "Bulgaria"},
      {"Kars", 43.1, 40.6, "Russian Empire"}, {"El Fasher", 25.35, 13.63, "Egypt"},
      {"Samarkand", 66.96, 39.65, "Russian Empire"}, {"Samarkand", 66.96, 39.65, "Russian Empire"}}},
    {1890,
     {{"Plovdiv", 24.75, 42.15, "Bulgaria"}, {"Larissa", 22.42, 39.64, "Greece"},
      {"Dongola", 30.48, 19.17, "Mahdist Sudan"}, {"Khartoum", 32.6, 15.55, "Mahdist Sudan"},
      {"Tamanrasset", 5.52, 22.78, "Saharan peoples"}, {"In Salah", 2.47, 27.2, "Saharan peoples"},
      {"Cyprus", 33.4, 35.1, "United Kingdom"}, {"Merv", 61.83, 37.6, "Russian Empire"}}},
    {1900,
     {{"London", -0.13, 51.5, "United Kingdom"}, {"Batumi", 41.9, 41.55, "Russian Empire"},
      {"Sarajevo", 18.41, 43.86, "Bosnia"}, {"Trento", 11.12, 46.07, "Austria-Hungary"},
      {"Bolzano", 11.35, 46.5, "Austria-Hungary"}, {"Tunis", 10.1, 36.7, "Tunisia"},
      {"Cairo", 31.24, 30.04, "Egypt"}, {"Yaoundé", 11.5, 3.87, "German Africa"},
      {"Lomé", 1.15, 7.5, "German Africa"}, {"Kisangani", 25.2, 0.52, "Belgian Congo"},
      {"Addis Ababa", 38.74, 9.03, "Ethiopia"}, {"Harar", 42.12, 9.31, "Ethiopia"},
      {"Bern", 7.45, 46.95, "Switzerland"}, {"Kuwait", 47.7, 29.3, "Gulf emirates"},
      {"Fès", -5.0, 34.03, "Morocco"}, {"Kars", 43.1, 40.6, "Russian Empire"},
      {"Thessaloniki", 23.0, 40.75, "Ottoman Empire"}, {"Crete", 24.9, 35.2, "Ottoman Empire"},
      {"Varna", 27.6, 43.4, "Bulgaria"}, {"Dobruja", 28.6, 44.2, "Romania"}}},
    {1910,
     {{"Tamanrasset", 5.52, 22.78, "France"}, {"In Salah", 2.47, 27.2, "France"},
      {"El Fasher", 25.35, 13.63, "Sultanate of Darfur"}, {"Tripoli", 13.1, 32.6, "Ottoman Empire"}}},
    {1913.5,
     {{"Skopje", 21.43, 42.0, "Serbia"}, {"Thessaloniki", 23.0, 40.75, "Greece"},
      {"Ioannina", 20.85, 39.67, "Greece"}}},
    {1914,
     {{"Paris", 2.35, 48.85, "France"}, {"Berlin", 13.4, 52.52, "German Empire"},
      {"Warsaw", 21.0, 52.23, "Kingdom of Poland"}, {"Kraków", 19.94, 50.06, "Austria-Hungary"},
      {"Prague", 14.42, 50.08, "Bohemia"}, {"Budapest", 19.04, 47.5, "Hungary"},
      {"Helsinki", 24.94, 60.3, "Grand Duchy of Finland"}, {"Riga", 24.6, 57.1, "Russian Empire"},
      {"Tripoli", 13.1, 32.6, "Italian Africa"}, {"Jerusalem", 35.21, 31.77, "Ottoman Empire"},
      {"Baghdad", 44.37, 33.31, "Ottoman Empire"}, {"Medina", 39.61, 24.47, "Ottoman Empire"},
      {"Asmara", 38.93, 15.33, "Italian Africa"}, {"Kano", 8.52, 12.0, "British Africa"},
      {"Kumasi", -1.62, 6.69, "British Africa"}, {"Drama", 24.4, 41.15, "Greece"}}},
    {1915,
     {{"Chernivtsi", 25.93, 48.29, "Austria-Hungary"}}},
    {1919,
     {{"Baku", 49.5, 40.5, "Azerbaijan"}}},
    {1920,
     {{"Tetouan", -5.37, 35.57, "Spanish Africa"}, {"Crete", 24.9, 35.2, "Greece"},
      {"Dobrich", 27.8, 43.57, "Romania"}}},
    {1920.7,
     {{"Strasbourg", 7.75, 48.58, "France"}, {"Prague", 14.42, 50.08, "Czechoslovakia"},
      {"Nitra", 18.08, 48.31, "Czechoslovakia"}, {"Cluj", 23.6, 46.77, "Romania"},
      {"Zagreb", 15.98, 45.81, "Yugoslavia"}, {"Ljubljana", 14.5, 46.05, "Yugoslavia"},
      {"Novi Sad", 19.85, 45.25, "Yugoslavia"}, {"Sarajevo", 18.41, 43.86, "Yugoslavia"},
      {"Trento", 11.12, 46.07, "Italy"}, {"Vienna", 16.3, 48.2, "Austria"},
      {"Tallinn", 24.8, 59.35, "Estonia"}, {"Riga", 24.6, 57.1, "Latvia"}, {"Kaunas", 23.9, 54.9, "Lithuania"},
      {"Helsinki", 24.94, 60.3, "Finland"}, {"Moscow", 37.62, 55.75, "Soviet Russia"},
      {"Damascus", 36.3, 33.51, "Syria"}, {"Chișinău", 28.86, 47.0, "Romania"},
      {"Lviv", 24.03, 49.84, "Poland"}, {"Yerevan", 44.6, 40.15, "Armenia"},
      {"Istanbul", 28.9, 41.05, "Ottoman Empire"}, {"Adrianople", 26.56, 41.68, "Greece"},
      {"Chernivtsi", 25.93, 48.29, "Romania"}, {"Uzhhorod", 22.3, 48.62, "Czechoslovakia"},
      {"Fiume-Istria", 13.9, 45.2, "Italy"}}},
    {1921,
     {{"Izmir", 27.3, 38.4, "Greece"}}},
    {1923,
     {{"Izmir", 27.3, 38.4, "Ottoman Empire"}}},
    {1925,
     {{"Izmir", 27.3, 38.4, "Turkey"}, {"Adrianople", 26.56, 41.68, "Turkey"}}},
    {1930,
     {{"Dublin", -6.35, 53.35, "Irish Free State"}, {"Belfast", -6.1, 54.6, "United Kingdom"},
      {"Vilnius", 25.28, 54.69, "Poland"}, {"Brest", 23.8, 52.1, "Poland"}, {"Grodno", 23.83, 53.68, "Poland"},
      {"Vyborg", 28.75, 60.71, "Finland"}, {"Minsk", 27.56, 53.9, "Soviet Union"},
      {"Tbilisi", 44.8, 41.7, "Soviet Union"}, {"Kars", 43.1, 40.6, "Turkey"},
      {"Ankara", 32.86, 39.93, "Turkey"}, {"Antioch", 36.3, 36.1, "Syria"}, {"Rhodes", 28.0, 36.25, "Italy"},
      {"Bolzano", 11.35, 46.5, "Italy"}, {"Amman", 35.93, 31.95, "Transjordan"},
      {"Jerusalem", 35.21, 31.77, "United Kingdom"}, {"Tirana", 19.82, 41.33, "Albania"},
      {"Kumasi", -1.62, 6.69, "British Africa"}, {"Ibadan", 3.9, 7.38, "British Africa"},
      {"N'Djamena", 15.3, 12.3, "French Africa"}, {"Niamey", 2.3, 13.6, "French Africa"},
      {"Yaoundé", 11.5, 3.87, "French Africa"}, {"Lomé", 1.15, 7.5, "French Africa"},
      {"Kampala", 32.58, 0.45, "British Africa"}, {"El Fasher", 25.35, 13.63, "British Africa"},
      {"Tripoli", 13.1, 32.6, "Italian Africa"}, {"Zadar-Dalmatia", 16.4, 43.6, "Yugoslavia"},
      {"Memel", 21.3, 55.7, "Lithuania"}, {"Saarbrücken", 7.0, 49.25, "Saar"},
      {"Bolzano", 11.35, 46.5, "Italy"}, {"Bratislava", 17.3, 48.2, "Czechoslovakia"}}},
    {1935,
     {{"Petsamo", 30.3, 69.5, "Finland"}}},
    {1937,
     {{"Addis Ababa", 38.74, 9.03, "Italian Africa"}}},
    {1939.5,
     {{"Prague", 14.42, 50.08, "Bohemia and Moravia"}, {"Nitra", 18.08, 48.31, "Slovakia"},
      {"Memel", 21.3, 55.7, "Germany"}}},
    {1940,
     {{"Uzhhorod", 22.3, 48.62, "Hungary"}, {"Vilnius", 25.28, 54.69, "Lithuania"}}},
    {1941,
     {{"Kraków", 19.94, 50.06, "General Government"}, {"Warsaw", 21.0, 52.23, "General Government"},
      {"Cluj", 23.6, 46.77, "Hungary"}, {"Vichy", 3.43, 46.13, "Vichy France"}}},
    {1945,
     {{"Dobrich", 27.8, 43.57, "Bulgaria"}}},
    {1945.5,
     {{"Asmara", 38.93, 15.33, "British Africa"}, {"Mogadishu", 45.0, 2.5, "British Africa"}}},
    {1946,
     {{"Vyborg", 28.75, 60.71, "Soviet Union"}, {"Petsamo", 30.3, 69.5, "Soviet Union"}}},
    {1950,
     {{"London", -0.13, 51.5, "United Kingdom"}, {"Königsberg", 20.6, 54.65, "Soviet Union"},
      {"Breslau", 17.04, 51.11, "Poland"}, {"Stettin", 14.55, 53.43, "Poland"},
      {"Danzig", 18.6, 54.3, "Poland"}, {"Vyborg", 28.75, 60.71, "Soviet Union"},
      {"Lviv", 24.03, 49.84, "Soviet Union"}, {"Vilnius", 25.28, 54.69, "Soviet Union"},
      {"Hamburg", 10.0, 53.55, "West Germany"}, {"Leipzig", 12.37, 51.34, "East Germany"},
      {"Vienna", 16.3, 48.2, "Austria"}, {"Rhodes", 28.0, 36.25, "Greece"}, {"Antioch", 36.3, 36.1, "Turkey"},
      {"Tel Aviv", 34.95, 32.2, "Israel"}, {"Amman", 35.93, 31.95, "Jordan"},
      {"Baghdad", 44.37, 33.31, "Iraq"}, {"Tehran", 51.39, 35.69, "Iran"},
      {"Riyadh", 46.72, 24.7, "Saudi Arabia"}, {"Asmara", 38.93, 15.33, "British Africa"},
      {"Addis Ababa", 38.74, 9.03, "Ethiopia"}, {"Algiers", 3.1, 36.6, "France"},
      {"Tripoli", 13.1, 32.6, "United Kingdom"}, {"Khartoum", 32.6, 15.55, "British Africa"},
      {"Chernivtsi", 25.93, 48.29, "Soviet Union"}, {"Uzhhorod", 22.3, 48.62, "Soviet Union"},
      {"Istria", 13.9, 45.2, "Yugoslavia"}, {"Saarbrücken", 7.0, 49.25, "Saar"}}},
    {1960,
     {{"Asmara", 38.93, 15.33, "Ethiopia"}, {"Khartoum", 32.6, 15.55, "Sudan"},
      {"Tripoli", 13.1, 32.6, "Libya"}, {"Algiers", 3.1, 36.6, "France"}, {"Kumasi", -1.62, 6.69, "Ghana"},
      {"Yaoundé", 11.5, 3.87, "Cameroon"}, {"Djibouti", 42.5, 11.5, "French Africa"},
      {"Mogadishu", 45.0, 2.5, "Italian Africa"}, {"Kampala", 32.58, 0.45, "British Africa"},
      {"Saarbrücken", 7.0, 49.25, "West Germany"}}},
    {1966,
     {{"Kisangani", 25.2, 0.52, "Congo-L\xe9" "opoldville"}}},
    {1970,
     {{"Algiers", 3.1, 36.6, "Algeria"}, {"Sinai", 33.8, 29.5, "Israel"}, {"Mogadishu", 45.0, 2.5, "Somalia"},
      {"N'Djamena", 15.3, 12.3, "Chad"}, {"Niamey", 2.3, 13.6, "Niger"}, {"Timbuktu", -3.0, 16.77, "Mali"},
      {"Ouagadougou", -1.52, 12.37, "Upper Volta"}, {"Kano", 8.52, 12.0, "Nigeria"},
      {"Ibadan", 3.9, 7.38, "Nigeria"}, {"Lomé", 1.15, 7.5, "Togo"}, {"Abomey", 2.0, 7.9, "Dahomey"},
      {"Bangui", 18.6, 4.6, "Central African Republic"}, {"Ouesso", 16.05, 1.61, "Congo-Brazzaville"},
      {"Gabon", 11.5, 0.5, "Gabon"}, {"Kampala", 32.58, 0.45, "Uganda"}, {"Nairobi", 36.82, -1.1, "Kenya"},
      {"Hodh", -6.3, 19.0, "Mauritania"}}},
    {1978,
     {{"Malabo", 8.7, 3.55, "Equatorial Guinea"}}},
    {1980,
     {{"Djibouti", 42.5, 11.5, "Djibouti"}, {"Kisangani", 25.2, 0.52, "Zaire"}}},
    {1990,
     {{"Sinai", 33.8, 29.5, "Egypt"}, {"Berlin-Leipzig", 12.37, 51.34, "East Germany"}}},
    {2003,
     {{"London", -0.13, 51.5, "United Kingdom"}, {"Edinburgh", -3.2, 55.9, "United Kingdom"},
      {"Dublin", -6.35, 53.35, "Ireland"}, {"Belfast", -6.1, 54.6, "United Kingdom"},
      {"Paris", 2.35, 48.85, "France"}, {"Strasbourg", 7.75, 48.58, "France"},
      {"Brussels", 4.35, 50.85, "Belgium"}, {"Amsterdam", 4.95, 52.35, "Netherlands"},
      {"Luxembourg", 6.1, 49.7, "Luxembourg"}, {"Bern", 7.45, 46.95, "Switzerland"},
      {"Madrid", -3.7, 40.42, "Spain"}, {"Lisbon", -9.15, 39.0, "Portugal"}, {"Rome", 12.6, 41.9, "Italy"},
      {"Berlin", 13.4, 52.52, "Germany"}, {"Leipzig", 12.37, 51.34, "Germany"},
      {"Munich", 11.58, 48.14, "Germany"}, {"Vienna", 16.3, 48.2, "Austria"},
      {"Prague", 14.42, 50.08, "Czech Republic"}, {"Nitra", 18.08, 48.31, "Slovakia"},
      {"Budapest", 19.04, 47.5, "Hungary"}, {"Warsaw", 21.0, 52.23, "Poland"},
      {"Vilnius", 25.28, 54.69, "Lithuania"}, {"Riga", 24.6, 57.1, "Latvia"},
      {"Tallinn", 24.8, 59.35, "Estonia"}, {"Helsinki", 24.94, 60.3, "Finland"},
      {"Uppsala", 17.64, 59.86, "Sweden"}, {"Oslo", 10.75, 60.0, "Norway"},
      {"Zealand", 11.9, 55.45, "Denmark"}, {"Iceland", -19.0, 64.9, "Iceland"},
      {"Kaliningrad", 20.6, 54.65, "Russia"}, {"Moscow", 37.62, 55.75, "Russia"},
      {"Minsk", 27.56, 53.9, "Belarus"}, {"Kiev", 30.52, 50.45, "Ukraine"}, {"Lviv", 24.03, 49.84, "Ukraine"},
      {"Chișinău", 28.86, 47.0, "Moldova"}, {"Bucharest", 26.1, 44.43, "Romania"},
      {"Sofia", 23.32, 42.7, "Bulgaria"}, {"Belgrade", 20.5, 44.75, "Yugoslavia"},
      {"Zagreb", 15.98, 45.81, "Croatia"}, {"Ljubljana", 14.5, 46.05, "Slovenia"},
      {"Sarajevo", 18.41, 43.86, "Bosnia and Herzegovina"}, {"Skopje", 21.43, 42.0, "Macedonia"},
      {"Tirana", 19.82, 41.33, "Albania"}, {"Athens", 23.8, 38.1, "Greece"},
      {"Ankara", 32.86, 39.93, "Turkey"}, {"Tbilisi", 44.8, 41.7, "Georgia"},
      {"Yerevan", 44.6, 40.15, "Armenia"}, {"Shamakhi", 48.64, 40.63, "Azerbaijan"},
      {"Tehran", 51.39, 35.69, "Iran"}, {"Baghdad", 44.37, 33.31, "Iraq"}, {"Damascus", 36.3, 33.51, "Syria"},
      {"Amman", 35.93, 31.95, "Jordan"}, {"Riyadh", 46.72, 24.7, "Saudi Arabia"},
      {"Cairo", 31.24, 30.04, "Egypt"}, {"Tripoli", 13.1, 32.6, "Libya"}, {"Tunis", 10.1, 36.7, "Tunisia"},
      {"Algiers", 3.1, 36.6, "Algeria"}, {"Fès", -5.0, 34.03, "Morocco"}, {"Khartoum", 32.6, 15.55, "Sudan"},
      {"Asmara", 38.93, 15.33, "Eritrea"}, {"Addis Ababa", 38.74, 9.03, "Ethiopia"},
      {"Ouagadougou", -1.52, 12.37, "Burkina Faso"}, {"Abomey", 2.0, 7.9, "Benin"},
      {"Kisangani", 25.2, 0.52, "DR Congo"}, {"Cyprus", 33.0, 34.9, "Cyprus"}}},
};

class HistoryChecklist : public testsupport::StoredAtlasSuite<HistoryChecklist> {
protected:
    // The whole map, ten kilometres a pixel.
    static constexpr double kScale = 0.025;
    static constexpr int kSize = 900;

    struct Map {
        quil2a::MapState m;
        quil2a::NullHost host;
        quil2a::MapEngine engine;
        Map(int w, int h, double x0, double y0, double scale) : host(w, h), engine(a(), m, host)
        {
            m.makePictures(w, h);
            m.x0 = x0;
            m.y0 = y0;
            m.xc = w / 2.0;
            m.yc = h / 2.0;
            m.scale = scale;
        }
        void jump(double date)
        {
            m.maindate = date;
            engine.jumptodate();
            engine.displaymap(*m.p, true);
        }
        // The nation of the commonest territory colour within r pixels of a map
        // point: the first colour index of that colour, as a click finds it.
        std::string nationAt(MapPoint p, int r) const
        {
            const auto& img = m.p1->image();
            const int cx = static_cast<int>(std::lround((p.x - m.x0) * m.scale + m.xc));
            const int cy = static_cast<int>(std::lround((p.y - m.y0) * m.scale + m.yc));
            std::map<int, int> seen;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const int x = cx + dx, y = cy + dy;
                    if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) continue;
                    const quil2a::Color c = img.pixel(x, y) & 0xffffff;
                    for (int i = 1; i <= 256; ++i)
                        if (i != 7 && a().clrlist[i] == c) {
                            ++seen[i];
                            break;
                        }
                }
            int best = 0;
            for (const auto& [i, n] : seen)
                if (!best || n > seen.at(best)) best = i;
            return best && a().clicknames[best] ? a().clicknames[best]->name : std::string("none");
        }
    };
};

// Well inside a territory, at ten kilometres a pixel: the commonest colour of a
// square three pixels wide.
TEST_F(HistoryChecklist, NationsWhereTheHistoriesPutThem)
{
    Map map(kSize, kSize, 17950, 17950, kScale);
    int checks = 0;
    for (const auto& at : kChecklist) {
        map.jump(at.date);
        for (const auto& c : at.checks) {
            ++checks;
            EXPECT_EQ(map.nationAt(toMap(c.lon, c.lat), 1), c.nation) << c.place << " in " << at.date;
        }
    }
    EXPECT_GE(checks, 300);
}

// Narrow lands at the closest zoom: each place in its own small view.
TEST_F(HistoryChecklist, NarrowLandsAtTheClosestZoom)
{
    struct Narrow {
        const char* place;
        double lon, lat, date;
        const char* nation;
    };
    const Narrow cases[] = {
        {"Nicaea", 29.72, 40.43, 1330, "Byzantine Empire"},
        {"Nicaea", 29.72, 40.43, 1331.5, "Ottoman Beylik"},
        {"Gallipoli", 26.55, 40.35, 1354.0, "Byzantine Empire"},
        {"Gallipoli", 26.55, 40.35, 1354.5, "Ottoman Beylik"},
        {"Metz", 6.18, 49.12, 1500, "Holy Roman Empire"},
        {"Metz", 6.18, 49.12, 1700, "Kingdom of France"},
        {"Nancy", 6.18, 48.69, 1700, "Lorraine"},
        {"Calais", 1.86, 50.93, 1400, "England"},
        {"Calais", 1.86, 50.93, 1560, "Kingdom of France"},
        {"West Berlin", 13.25, 52.5, 1970, "West Germany"},
        {"East Berlin", 13.55, 52.5, 1970, "East Germany"},
        {"Gaza", 34.35, 31.42, 1960, "Egypt"},
        {"Lebanon", 35.85, 33.9, 1950, "Lebanon"},
        {"Imbros", 25.85, 40.17, 1400, "Byzantine Empire"},
        {"Imbros", 25.85, 40.17, 1500, "Ottoman Empire"},
        {"Mantua", 10.6, 45.1, 1600, "Mantua"},
        {"Mantua", 10.6, 45.1, 1750, "Austria"},
        {"Danzig", 18.85, 54.25, 1939.5, "Danzig"},
        {"Candia", 25.13, 35.3, 1650, "Republic of Venice"},
        {"Candia", 25.13, 35.3, 1670, "Ottoman Empire"},
        {"Sudak", 34.95, 44.85, 1400, "Republic of Genoa"},
        {"Kaffa", 35.36, 45.04, 1500, "Ottoman Empire"},
        {"Kaffa", 35.36, 45.04, 1780, "Crimean Khanate"},
        {"Aden", 45.0, 12.85, 1850, "United Kingdom"},
        {"Kos", 27.1, 36.85, 1920, "Italy"},
        {"Eupen", 6.05, 50.6, 1900, "German Empire"},
        {"Eupen", 6.05, 50.6, 1930, "Belgium"},
        {"Kraków", 19.94, 50.06, 1830, "Krak\xf3" "w"},
    };
    for (const auto& c : cases) {
        const MapPoint p = toMap(c.lon, c.lat);
        Map map(161, 161, p.x, p.y, 0.25);
        map.jump(c.date);
        EXPECT_EQ(map.nationAt(p, 2), c.nation) << c.place << " in " << c.date;
    }
}

}  // namespace
