#pragma once

#include <array>
#include <optional>
#include <string_view>

// The three current-carrying capacity tables that the reference windows show, as data. Each
// picture is drawn from its table; nothing else looks a value up in them.

namespace heatcalc {

// One cell: whole amperes, or no value for that combination (printed as a dash).
using Amperes = std::optional<int>;
inline constexpr Amperes Dash = std::nullopt;

// Conductor cores of the cable tables, in their column order.
enum class Core { Copper = 0, Aluminium = 1 };

// The cable types both cable tables cover, as their header names them.
inline constexpr std::array<std::string_view, 4> CableTypes{"YJV", "YJLV", "YJY", "YJLY"};

// Body rows of the cable tables: the nominal cross-sections 1.5 to 240 mm².
inline constexpr int CableRowCount = 15;

// Power cables laid open in air: rated voltage (2) × ambient temperature (3) × core (2).
struct CableOpenTable {
    static constexpr int Columns = 12;
    std::array<std::string_view, 2> ratedVoltagesKv;
    std::array<std::string_view, 3> ambientsC;
    std::string_view conductorTempC;
    struct Row {
        std::string_view sectionMm2;
        std::array<Amperes, Columns> amperes;
    };
    std::array<Row, CableRowCount> rows;

    static constexpr int column(int voltage, int ambient, Core core)
    {
        return voltage * 6 + ambient * 2 + static_cast<int>(core);
    }
};

// Power cables in conduit in soil at 0.6/1 kV: soil thermal resistivity (4) × conductor
// temperature (2) × core (2).
struct CableSoilTable {
    static constexpr int Columns = 16;
    std::string_view ratedVoltageKv;
    std::array<std::string_view, 4> soilResistivities;  // ρT, K·m/W
    std::array<std::string_view, 2> conductorTempsC;
    struct Row {
        std::string_view sectionMm2;
        std::array<Amperes, Columns> amperes;
    };
    std::array<Row, CableRowCount> rows;

    static constexpr int column(int soil, int conductorTemp, Core core)
    {
        return soil * 4 + conductorTemp * 2 + static_cast<int>(core);
    }
};

// Busbars: metal (aluminium, copper) × current (AC, DC) × ambient temperature (4).
enum class Metal { Aluminium = 0, Copper = 1 };
enum class Current { AC = 0, DC = 1 };

struct BusbarTable {
    static constexpr int Columns = 16;
    static constexpr int RowCount = 19;
    std::array<std::string_view, 4> ambientsC;
    struct Row {
        std::string_view widthMm;
        std::string_view thicknessMm;
        std::array<int, Columns> amperes;
    };
    std::array<Row, RowCount> rows;

    static constexpr int column(Metal metal, Current current, int ambient)
    {
        return static_cast<int>(metal) * 8 + static_cast<int>(current) * 4 + ambient;
    }
};

const CableOpenTable& CableOpenAmpacity();
const CableSoilTable& CableSoilAmpacity();
const BusbarTable& BusbarAmpacity();

}  // namespace heatcalc
