#pragma once

#include <array>
#include <string_view>

#include "plate/fo_fields.h"

namespace heatcalc::plate {

// Heat-transfer and pressure-drop correlation of one side of a plate:
//   Re = (v x de) / nu
//   Nu = (Pr ^ m) x ((Re ^ n) x C)
//   h  = (lambda x Nu) / de
//   dP = ((v x v) x 1.3) x ((Re ^ (-b)) x A)   [kPa]
struct SideCorrelation {
    double de;  // equivalent diameter of the channel, m
    double c;   // factor of the Nusselt number
    double n;   // Reynolds exponent of the Nusselt number
    double a;   // factor of the pressure drop
    double b;   // the Reynolds number enters the pressure drop as Re ^ (-b)
};

// Prandtl exponent of the Nusselt number, the same for every plate.
inline constexpr double PrimaryPrandtlExponent = 0.3;
inline constexpr double SecondaryPrandtlExponent = 0.4;

// One plate model of a series, keyed by its plate area (the list item that picks it).
struct PlateModel {
    std::string_view listItem;     // the item of the plate list that picks it
    double area;                   // m2, the row's key
    std::string_view designation;  // shown when the plate is picked
    double primaryChannel;         // channel cross-section, m2
    double secondaryChannel;       // m2
    SideCorrelation primary;
    SideCorrelation secondary;
};

namespace detail {

// An equal-section plate: both sides share the channel and the heat-transfer correlation.
constexpr PlateModel equalSection(std::string_view listItem, double area, std::string_view designation, double channel,
                                  double de, double c, double n, double a1, double b1, double a2, double b2)
{
    return PlateModel{listItem, area, designation, channel, channel, {de, c, n, a1, b1}, {de, c, n, a2, b2}};
}

}  // namespace detail

// Equal-section plates, in the order of their list.
inline constexpr std::array<PlateModel, 7> EqualSectionPlateTable{{
    // item, area, designation, channel (both sides), de, C, n, A1, b1, A2, b2
    detail::equalSection("0.1", 0.1, "BR0.1", 0.00092, 0.008, 0.46, 0.59, 5248, 0.41, 5248, 0.41),
    detail::equalSection("0.25", 0.25, "BR0.25", 0.001089, 0.00656, 0.0998, 0.7596, 372, 0.185, 1460, 0.3325),
    detail::equalSection("0.5", 0.5, "BR0.5", 0.00156, 0.00695, 0.1653, 0.7232, 566, 0.185, 2203, 0.3325),
    detail::equalSection("0.85", 0.85, "BR0.85", 0.001943, 0.007, 0.0986, 0.7625, 502, 0.2008, 502, 0.2008),
    detail::equalSection("1.1", 1.1, "BR1.1", 0.00328, 0.0072, 0.1499, 0.7208, 1925, 0.2177, 1537, 0.2023),
    detail::equalSection("1.4", 1.4, "BR1.4", 0.00328, 0.0072, 0.1499, 0.7208, 2085, 0.2177, 1659, 0.2063),
    detail::equalSection("1.7", 1.7, "BR1.7", 0.00328, 0.0072, 0.1499, 0.7208, 2252, 0.2202, 1924, 0.2155),
}};

// Unequal-section plates, in the order of their list; the primary channel is the narrower one.
inline constexpr std::array<PlateModel, 5> UnequalSectionPlateTable{{
    // item, area, designation, primary channel, secondary channel, {de1, C1, n1, A1, b1}, {de2, C2, n2, A2, b2}
    {"0.35",
     0.35,
     "BBR0.35",
     0.001307,
     0.002088,
     {0.006, 0.1834, 0.6779, 544, 0.2708},
     {0.00959, 0.1708, 0.6779, 1183, 0.3298}},
    {"0.5",
     0.5,
     "BBR0.5",
     0.001307,
     0.002088,
     {0.006, 0.1834, 0.6779, 594, 0.2702},
     {0.00959, 0.1708, 0.6779, 1296, 0.3295}},
    {"0.52",
     0.52,
     "BBR0.52",
     0.001366,
     0.002733,
     {0.00493, 0.1864, 0.6779, 564, 0.2708},
     {0.00987, 0.171, 0.7422, 1203, 0.3298}},
    {"0.85",
     0.85,
     "BBR0.85",
     0.001366,
     0.002733,
     {0.00493, 0.0725, 0.7863, 481, 0.1754},
     {0.00987, 0.1913, 0.6975, 666, 0.251}},
    {"1.2",
     1.2,
     "BBR1.2",
     0.001307,
     0.002088,
     {0.006, 0.072, 0.7832, 478, 0.1743},
     {0.00959, 0.1899, 0.6955, 653, 0.263}},
}};

// Properties of water from the threshold temperature t up to the next row's.
struct WaterProperties {
    double t;          // threshold temperature, degC
    double viscosity;  // kinematic viscosity as a factor of 10^-6 m2/s
    double prandtl;
    double lambda;  // thermal conductivity, W/(m.K)
};

inline constexpr std::array<WaterProperties, 23> WaterPropertyTable{{
    {5, 1.535, 11.4, 0.568},   {10, 1.3, 9.5, 0.577},     {15, 1.146, 8.1, 0.587},   {20, 1.006, 7, 0.597},
    {25, 0.884, 6.1, 0.606},   {30, 0.805, 5.4, 0.615},   {35, 0.725, 4.8, 0.624},   {40, 0.658, 4.3, 0.633},
    {45, 0.611, 3.9, 0.64},    {50, 0.556, 3.55, 0.647},  {55, 0.517, 3.27, 0.652},  {60, 0.478, 3, 0.658},
    {65, 0.444, 2.76, 0.663},  {70, 0.415, 2.55, 0.668},  {75, 0.366, 2.23, 0.671},  {80, 0.364, 2.25, 0.673},
    {85, 0.339, 2.04, 0.676},  {90, 0.326, 1.95, 0.678},  {95, 0.31, 1.84, 0.68},    {100, 0.294, 1.75, 0.682},
    {110, 0.268, 1.57, 0.684}, {120, 0.244, 1.43, 0.685}, {130, 0.226, 1.32, 0.686},
}};

enum class WaterProperty { Viscosity, Prandtl, Conductivity };

// One chain of the property lookup: the rows from 5 degC up to `lastThreshold` are tested in
// turn against the temperature field, and every row at or below the temperature writes `target`.
struct PropertyChain {
    WaterProperty property;
    Field temperature;
    Field target;
    double lastThreshold;
};

// The twelve chains in the order they run: viscosity, then Prandtl number, then conductivity, each
// for the primary supply and return and the secondary supply and return temperatures. The
// secondary return's viscosity stops at the 95 degC row.
inline constexpr std::array<PropertyChain, 12> WaterPropertyChains{{
    {WaterProperty::Viscosity, fo::PrimarySupplyTemp, fo::PrimarySupplyViscosity, 130},
    {WaterProperty::Viscosity, fo::PrimaryReturnTemp, fo::PrimaryReturnViscosity, 100},
    {WaterProperty::Viscosity, fo::SecondarySupplyTemp, fo::SecondarySupplyViscosity, 100},
    {WaterProperty::Viscosity, fo::SecondaryReturnTemp, fo::SecondaryReturnViscosity, 95},
    {WaterProperty::Prandtl, fo::PrimarySupplyTemp, fo::PrimarySupplyPrandtl, 130},
    {WaterProperty::Prandtl, fo::PrimaryReturnTemp, fo::PrimaryReturnPrandtl, 100},
    {WaterProperty::Prandtl, fo::SecondarySupplyTemp, fo::SecondarySupplyPrandtl, 100},
    {WaterProperty::Prandtl, fo::SecondaryReturnTemp, fo::SecondaryReturnPrandtl, 100},
    {WaterProperty::Conductivity, fo::PrimarySupplyTemp, fo::PrimarySupplyLambda, 130},
    {WaterProperty::Conductivity, fo::PrimaryReturnTemp, fo::PrimaryReturnLambda, 100},
    {WaterProperty::Conductivity, fo::SecondarySupplyTemp, fo::SecondarySupplyLambda, 100},
    {WaterProperty::Conductivity, fo::SecondaryReturnTemp, fo::SecondaryReturnLambda, 100},
}};

}  // namespace heatcalc::plate
