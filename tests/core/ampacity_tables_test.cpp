#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "reference/ampacity_tables.h"

// The reference tables are typed-in data: these relations of the published tables catch a
// mistyped, shifted or swapped number.

using heatcalc::Amperes;
using heatcalc::BusbarAmpacity;
using heatcalc::BusbarTable;
using heatcalc::CableOpenAmpacity;
using heatcalc::CableOpenTable;
using heatcalc::CableSoilAmpacity;
using heatcalc::CableSoilTable;
using heatcalc::Core;
using heatcalc::Current;
using heatcalc::Metal;

namespace {

double number(std::string_view text)
{
    return std::stod(std::string(text));
}

template <std::size_t N> std::vector<double> numbers(const std::array<std::string_view, N>& texts)
{
    std::vector<double> out;
    for (std::string_view t : texts)
        out.push_back(number(t));
    return out;
}

const std::vector<double> Sections{1.5, 2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240};

template <typename Table> std::vector<double> sectionsOf(const Table& table)
{
    std::vector<double> out;
    for (const auto& row : table.rows)
        out.push_back(number(row.sectionMm2));
    return out;
}

// Each column's total over the body rows, dashes counting nothing.
template <typename Table> std::vector<int> columnTotals(const Table& table)
{
    std::vector<int> totals(Table::Columns, 0);
    for (const auto& row : table.rows)
        for (int c = 0; c < Table::Columns; ++c) {
            const auto& cell = row.amperes[static_cast<std::size_t>(c)];
            if constexpr (std::is_same_v<std::decay_t<decltype(cell)>, Amperes>)
                totals[static_cast<std::size_t>(c)] += cell.value_or(0);
            else
                totals[static_cast<std::size_t>(c)] += cell;
        }
    return totals;
}

// A larger conductor carries more: down every cable column the values that are given rise.
template <typename Table> void expectRisingWithSection(const Table& table)
{
    for (int c = 0; c < Table::Columns; ++c) {
        Amperes previous;
        for (const auto& row : table.rows) {
            const Amperes cell = row.amperes[static_cast<std::size_t>(c)];
            if (cell && previous) {
                EXPECT_GT(*cell, *previous) << "column " << c << " at " << row.sectionMm2 << " mm²";
            }
            if (cell)
                previous = cell;
        }
    }
}

Amperes at(const CableOpenTable::Row& row, int column)
{
    return row.amperes[static_cast<std::size_t>(column)];
}

Amperes at(const CableSoilTable::Row& row, int column)
{
    return row.amperes[static_cast<std::size_t>(column)];
}

}  // namespace

TEST(AmpacityCableOpen, HeaderAndRows)
{
    const CableOpenTable& t = CableOpenAmpacity();
    EXPECT_EQ(t.ratedVoltagesKv[0], "0.6 / 1");
    EXPECT_EQ(t.ratedVoltagesKv[1], "12 / 20");
    EXPECT_EQ(numbers(t.ambientsC), (std::vector<double>{30, 35, 40}));
    EXPECT_EQ(t.conductorTempC, "90");
    EXPECT_EQ(sectionsOf(t), Sections);
}

TEST(AmpacityCableOpen, DashesOnlyWhereNoCableIsMade)
{
    // 0.6/1 kV: no aluminium core of 1.5 mm². 12/20 kV: nothing below 25 mm².
    for (const auto& row : CableOpenAmpacity().rows) {
        const double section = number(row.sectionMm2);
        for (int v = 0; v < 2; ++v)
            for (int a = 0; a < 3; ++a)
                for (Core core : {Core::Copper, Core::Aluminium}) {
                    const bool dash = v == 0 ? (section == 1.5 && core == Core::Aluminium) : section <= 16;
                    EXPECT_EQ(at(row, CableOpenTable::column(v, a, core)).has_value(), !dash)
                        << row.sectionMm2 << " mm², voltage " << v << ", ambient " << a << ", core "
                        << static_cast<int>(core);
                }
    }
}

TEST(AmpacityCableOpen, FallsWithAmbientCopperAboveAluminium)
{
    for (const auto& row : CableOpenAmpacity().rows)
        for (int v = 0; v < 2; ++v) {
            for (Core core : {Core::Copper, Core::Aluminium})
                for (int a = 0; a + 1 < 3; ++a) {
                    const Amperes warmer = at(row, CableOpenTable::column(v, a + 1, core));
                    const Amperes cooler = at(row, CableOpenTable::column(v, a, core));
                    if (warmer && cooler) {
                        EXPECT_LT(*warmer, *cooler) << row.sectionMm2 << " mm², voltage " << v << ", ambient " << a;
                    }
                }
            for (int a = 0; a < 3; ++a) {
                const Amperes cu = at(row, CableOpenTable::column(v, a, Core::Copper));
                const Amperes al = at(row, CableOpenTable::column(v, a, Core::Aluminium));
                if (al) {
                    ASSERT_TRUE(cu);
                    EXPECT_GT(*cu, *al) << row.sectionMm2 << " mm², voltage " << v << ", ambient " << a;
                }
            }
        }
    expectRisingWithSection(CableOpenAmpacity());
}

TEST(AmpacityCableSoil, HeaderAndRows)
{
    const CableSoilTable& t = CableSoilAmpacity();
    EXPECT_EQ(t.ratedVoltageKv, "0.6 / 1");
    EXPECT_EQ(numbers(t.soilResistivities), (std::vector<double>{0.8, 1.0, 1.2, 1.5}));
    EXPECT_EQ(numbers(t.conductorTempsC), (std::vector<double>{65, 90}));
    EXPECT_EQ(sectionsOf(t), Sections);
}

TEST(AmpacityCableSoil, At1Point5OnlyCopperAt65)
{
    for (const auto& row : CableSoilAmpacity().rows)
        for (int s = 0; s < 4; ++s)
            for (int t = 0; t < 2; ++t)
                for (Core core : {Core::Copper, Core::Aluminium}) {
                    const bool dash = row.sectionMm2 == "1.5" && !(t == 0 && core == Core::Copper);
                    EXPECT_EQ(at(row, CableSoilTable::column(s, t, core)).has_value(), !dash)
                        << row.sectionMm2 << " mm², soil " << s << ", conductor " << t << ", core "
                        << static_cast<int>(core);
                }
}

TEST(AmpacityCableSoil, SoilResistivityConductorTemperatureAndCore)
{
    for (const auto& row : CableSoilAmpacity().rows)
        for (int s = 0; s < 4; ++s)
            for (int t = 0; t < 2; ++t)
                for (Core core : {Core::Copper, Core::Aluminium}) {
                    const Amperes here = at(row, CableSoilTable::column(s, t, core));
                    if (!here)
                        continue;
                    // A soil of higher thermal resistivity carries less away: equal or less.
                    if (s + 1 < 4) {
                        const Amperes poorerSoil = at(row, CableSoilTable::column(s + 1, t, core));
                        ASSERT_TRUE(poorerSoil);
                        EXPECT_LE(*poorerSoil, *here) << row.sectionMm2 << " mm², soil " << s << ", conductor " << t;
                    }
                    if (t == 0) {
                        const Amperes hotter = at(row, CableSoilTable::column(s, 1, core));
                        if (hotter) {
                            EXPECT_GT(*hotter, *here) << row.sectionMm2 << " mm², soil " << s;
                        }
                    }
                    if (core == Core::Aluminium) {
                        EXPECT_GT(*at(row, CableSoilTable::column(s, t, Core::Copper)), *here)
                            << row.sectionMm2 << " mm², soil " << s;
                    }
                }
    expectRisingWithSection(CableSoilAmpacity());
}

TEST(AmpacityCables, ColumnTotalsOfThePublishedTables)
{
    EXPECT_EQ(columnTotals(CableOpenAmpacity()),
              (std::vector<int>{2914, 2226, 2782, 2121, 2673, 2040, 2682, 2054, 2559, 1961, 2460, 1885}));
    EXPECT_EQ(columnTotals(CableSoilAmpacity()), (std::vector<int>{2089, 1622, 2542, 1985, 1945, 1508, 2364, 1845, 1821,
                                                                   1414, 2215, 1733, 1692, 1313, 2060, 1607}));
}

TEST(AmpacityBusbar, RowOrderGroupedByThickness)
{
    const BusbarTable& t = BusbarAmpacity();
    EXPECT_EQ(numbers(t.ambientsC), (std::vector<double>{25, 30, 35, 40}));
    std::vector<std::string> sizes;
    for (const auto& row : t.rows)
        sizes.push_back(std::string(row.widthMm) + "x" + std::string(row.thicknessMm));
    EXPECT_EQ(sizes, (std::vector<std::string>{"15x3", "20x3", "25x3", "30x4", "40x4", "40x5", "50x5", "50x6.3",
                                               "63x6.3", "80x6.3", "100x6.3", "63x8", "80x8", "100x8", "125x8", "63x10",
                                               "80x10", "100x10", "125x10"}));
}

TEST(AmpacityBusbar, AmbientRatiosInTheirBands)
{
    struct Band {
        int ambient;
        double low, high;
    };
    const Band bands[] = {{1, 0.938, 0.943}, {2, 0.878, 0.883}, {3, 0.809, 0.819}};
    for (const auto& row : BusbarAmpacity().rows)
        for (Metal m : {Metal::Aluminium, Metal::Copper})
            for (Current k : {Current::AC, Current::DC}) {
                const double at25 = row.amperes[static_cast<std::size_t>(BusbarTable::column(m, k, 0))];
                for (const Band& b : bands) {
                    const double ratio =
                        row.amperes[static_cast<std::size_t>(BusbarTable::column(m, k, b.ambient))] / at25;
                    EXPECT_GE(ratio, b.low) << row.widthMm << "×" << row.thicknessMm << " metal " << static_cast<int>(m)
                                            << " current " << static_cast<int>(k) << " ambient " << b.ambient;
                    EXPECT_LE(ratio, b.high)
                        << row.widthMm << "×" << row.thicknessMm << " metal " << static_cast<int>(m) << " current "
                        << static_cast<int>(k) << " ambient " << b.ambient;
                }
            }
}

TEST(AmpacityBusbar, AcNotAboveDcCopperAboveAluminium)
{
    for (const auto& row : BusbarAmpacity().rows)
        for (int a = 0; a < 4; ++a) {
            auto value = [&](Metal m, Current k) {
                return row.amperes[static_cast<std::size_t>(BusbarTable::column(m, k, a))];
            };
            for (Metal m : {Metal::Aluminium, Metal::Copper})
                EXPECT_LE(value(m, Current::AC), value(m, Current::DC))
                    << row.widthMm << "×" << row.thicknessMm << " ambient " << a;
            for (Current k : {Current::AC, Current::DC})
                EXPECT_GT(value(Metal::Copper, k), value(Metal::Aluminium, k))
                    << row.widthMm << "×" << row.thicknessMm << " ambient " << a;
        }
}

TEST(AmpacityBusbar, LargerBarCarriesMore)
{
    // A bar at least as wide and as thick as another carries more in every column.
    const BusbarTable& t = BusbarAmpacity();
    for (const auto& small : t.rows)
        for (const auto& large : t.rows) {
            const bool larger = number(large.widthMm) >= number(small.widthMm) &&
                                number(large.thicknessMm) >= number(small.thicknessMm) && &large != &small;
            if (!larger)
                continue;
            for (int c = 0; c < BusbarTable::Columns; ++c)
                EXPECT_GT(large.amperes[static_cast<std::size_t>(c)], small.amperes[static_cast<std::size_t>(c)])
                    << large.widthMm << "×" << large.thicknessMm << " against " << small.widthMm << "×"
                    << small.thicknessMm << " column " << c;
        }
}

TEST(AmpacityBusbar, ColumnTotalsAndTheFilledCell)
{
    // Aluminium AC at 25 °C of 125 × 8: above its 30 °C value and not above DC at 25 °C.
    const auto& row = BusbarAmpacity().rows[14];
    ASSERT_EQ(row.widthMm, "125");
    ASSERT_EQ(row.thicknessMm, "8");
    EXPECT_EQ(row.amperes[static_cast<std::size_t>(BusbarTable::column(Metal::Aluminium, Current::AC, 0))], 1898);
    EXPECT_EQ(columnTotals(BusbarAmpacity()),
              (std::vector<int>{19273, 18115, 16949, 15624, 20015, 18816, 17610, 16238, 24680, 23194, 21705, 20005,
                                25805, 24253, 22714, 20907}));
}
