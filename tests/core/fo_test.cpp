#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/number.h"
#include "model_support.h"
#include "plate/fo.h"
#include "plate/plate_tables.h"

using heatcalc::CalculationFailure;
using heatcalc::ControlKind;
using heatcalc::FailureReason;
using heatcalc::Fo;
using heatcalc::LocalTime;

namespace {

const Texts WorkFieldDesignTexts = {
    {"Text10", "Text10"}, {"Text11", "Text11"}, {"Text12", "Text12"}, {"Text14", "Text14"}, {"Text15", "Text15"},
    {"Text16", "Text16"}, {"Text17", "10"},     {"Text22", "Text22"}, {"Text23", "Text23"}, {"Text24", "Text24"},
    {"Text25", "Text25"}, {"Text28", "Text28"}, {"Text29", "Text29"}, {"Text30", "Text30"}, {"Text31", "Text31"},
    {"Text32", "Text32"}, {"Text33", "Text33"}, {"Text34", "Text34"}, {"Text35", "Text35"}, {"Text36", "Text36"},
    {"Text37", "Text37"}, {"Text38", "Text38"}, {"Text39", "Text39"}, {"Text40", "Text40"}, {"Text41", "Text41"},
};

const heatcalc::Control& control(const char* key)
{
    for (const heatcalc::Control& c : Fo::Design().controls)
        if (heatcalc::controlKey(c) == key)
            return c;
    throw std::invalid_argument(key);
}

std::size_t position(const char* key)
{
    const auto& controls = Fo::Design().controls;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (heatcalc::controlKey(controls[i]) == key)
            return i;
    throw std::invalid_argument(key);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The window

TEST(FoWindow, FreshWindowShowsDesignTexts)
{
    Fo f;
    expectTexts(f, {{"Text1", "1"},
                    {"Text2", "100"},
                    {"Text3", "60"},
                    {"Text4", "70"},
                    {"Text5", "50"},
                    {"Text6", "5000"},
                    {"Text26", "0"},
                    {"Combo1", "0.1"},
                    {"Combo2", "0.35"},
                    {"Label1", "Label1"},
                    {"Text44", ""},
                    {"Text48", ""},
                    {"Text49", ""}});
    for (const char* output : {"Text7", "Text8", "Text9", "Text46", "Text47", "Text20", "Text21", "Text13", "Text18",
                               "Text19", "Text45", "Text27"})
        EXPECT_EQ(f.text(output), "0") << output;
    expectTexts(f, WorkFieldDesignTexts);
    EXPECT_EQ(f.interval("Timer1"), 0);
}

TEST(FoWindow, HandlersByName)
{
    Fo f;
    for (const char* h : {"Form_Load", "Timer1_Timer", "Combo1_Click", "Combo2_Click", "Command1_Click",
                          "Command3_Click", "Command4_Click", "Command5_Click", "Command6_Click"})
        EXPECT_TRUE(f.hasHandler(h)) << h;
    // Printing belongs to the user interface.
    EXPECT_FALSE(f.hasHandler("Command2_Click"));
}

TEST(FoWindow, LoadStartsTheClockAndEachTickShowsTheTime)
{
    Fo f;
    LocalTime now{2026, 12, 7, 21, 25, 55, 1};
    f.setClock([&now] { return now; });
    ASSERT_TRUE(f.run("Form_Load"));
    EXPECT_EQ(f.interval("Timer1"), 1000);
    EXPECT_EQ(f.text("Label1"), "Label1");  // until the first tick

    ASSERT_TRUE(f.run("Timer1_Timer"));
    EXPECT_EQ(f.text("Label1"), "2026年12月7日 21:25:55 星期1");
    now = LocalTime{2027, 1, 1, 0, 0, 5, 5};
    f.Timer1_Timer();
    EXPECT_EQ(f.text("Label1"), "2027年1月1日 0:00:05 星期5");
}

TEST(FoWindow, PickedPlateShowsItsDesignation)
{
    struct Pick {
        const char* list;
        const char* item;
        const char* designation;
    };
    for (const Pick& p : {Pick{"Combo1", "0.1", "BR0.1"},
                          {"Combo1", "0.25", "BR0.25"},
                          {"Combo1", "0.5", "BR0.5"},
                          {"Combo1", "0.85", "BR0.85"},
                          {"Combo1", "1.1", "BR1.1"},
                          {"Combo1", "1.4", "BR1.4"},
                          {"Combo1", "1.7", "BR1.7"},
                          {"Combo2", "0.35", "BBR0.35"},
                          {"Combo2", "0.5", "BBR0.5"},
                          {"Combo2", "0.52", "BBR0.52"},
                          {"Combo2", "0.85", "BBR0.85"},
                          {"Combo2", "1.2", "BBR1.2"},
                          {"Combo1", "0.50", "BR0.5"},
                          {"Combo2", " 1.20 ", "BBR1.2"}}) {
        Fo f;
        f.setText(p.list, p.item);
        ASSERT_TRUE(f.run(std::string(p.list) + "_Click"));
        EXPECT_EQ(f.text("Text44"), p.designation) << p.list << " " << p.item;
    }
}

TEST(FoWindow, DesignationIsTheLastPick)
{
    Fo f;
    f.setText("Combo1", "0.85");
    f.Combo1_Click();
    EXPECT_EQ(f.text("Text44"), "BR0.85");
    f.setText("Combo2", "0.85");
    f.Combo2_Click();
    EXPECT_EQ(f.text("Text44"), "BBR0.85");
    f.setText("Combo1", "0.1");
    f.Combo1_Click();
    EXPECT_EQ(f.text("Text44"), "BR0.1");
    // A key of no row, in either list, leaves the designation.
    f.setText("Combo1", "0.3");
    f.Combo1_Click();
    f.setText("Combo2", "0.1");
    f.Combo2_Click();
    EXPECT_EQ(f.text("Text44"), "BR0.1");
    // A list text that is no number stops at the first test.
    f.setText("Combo2", "");
    expectFailure(f, &Fo::Combo2_Click, "Combo2", FailureReason::NotANumber);
    EXPECT_EQ(f.text("Text44"), "BR0.1");
}

TEST(FoWindow, ControlTable)
{
    const heatcalc::FormDesign& d = Fo::Design();
    EXPECT_EQ(d.caption, "Velmora自动化设备有限公司");
    EXPECT_EQ(d.clientWidth, 5715);
    EXPECT_EQ(d.clientHeight, 8460);
    EXPECT_EQ(d.icon, "exchanger");
    EXPECT_FALSE(d.frameRelative);

    // Keyboard order, the focus starting in Text1.
    const std::vector<std::string> expectedOrder = {
        "Text1",    "Text2",    "Text3",  "Text4",  "Text5",  "Text6",    "Command1", "Text7",  "Text8",  "Text9",
        "Text46",   "Text47",   "Text13", "Combo1", "Combo2", "Command3", "Command4", "Text19", "Text20", "Text21",
        "Command5", "Command6", "Text26", "Text18", "Text27", "Command2", "Text44",   "Text45", "Text48", "Text49"};
    std::vector<std::pair<int, std::string>> tabbed;
    for (const heatcalc::Control& c : d.controls)
        if (c.tab >= 0)
            tabbed.emplace_back(c.tab, heatcalc::controlKey(c));
    std::sort(tabbed.begin(), tabbed.end());
    std::vector<std::string> order;
    for (std::size_t i = 0; i < tabbed.size(); ++i) {
        EXPECT_EQ(tabbed[i].first, static_cast<int>(i));
        order.push_back(tabbed[i].second);
    }
    EXPECT_EQ(order, expectedOrder);

    // Work fields lie right of the client area and name the handler that first fills them.
    for (const auto& [field, text] : WorkFieldDesignTexts) {
        const heatcalc::Control& c = control(field);
        EXPECT_TRUE(c.workField) << field;
        EXPECT_GE(c.left, 5880) << field;
        EXPECT_FALSE(c.filledBy.empty()) << field;
        EXPECT_EQ(c.text, text);
    }
    using Handlers = std::vector<std::string_view>;
    EXPECT_EQ(control("Text12").filledBy, Handlers{"Command1_Click"});
    EXPECT_EQ(control("Text31").filledBy, Handlers{"Command1_Click"});
    EXPECT_EQ(control("Text14").filledBy, (Handlers{"Command3_Click", "Command4_Click"}));
    EXPECT_EQ(control("Text16").filledBy, Handlers{"Command4_Click"});

    // Every other field lies inside the client area and has a caption label of the window.
    for (const heatcalc::Control& c : d.controls) {
        if ((c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox) && !c.workField) {
            EXPECT_LT(c.left, d.clientWidth) << c.name;
            EXPECT_FALSE(c.captionLabel.empty()) << c.name;
            control(std::string(c.captionLabel).c_str());  // names a control of the window
        }
    }

    // The check temperatures are drawn over the temperatures they check.
    EXPECT_GT(position("Text48"), position("Text3"));
    EXPECT_GT(position("Text49"), position("Text4"));
    EXPECT_EQ(control("Text48").parent, "Frame1");

    EXPECT_EQ(control("Command1").text, "换热面积计算");
    EXPECT_EQ(control("Command2").text, " 界面打印");
    EXPECT_EQ(control("Command4").text, "不截界面流速");
    EXPECT_EQ(control("Combo1").items,
              (std::vector<std::string_view>{"0.1", "0.25", "0.5", "0.85", "1.1", "1.4", "1.7"}));
    EXPECT_EQ(control("Combo2").items, (std::vector<std::string_view>{"0.35", "0.5", "0.52", "0.85", "1.2"}));
    for (const char* twoLines : {"Label47", "Label2", "Label29", "Label9", "Label34"})
        EXPECT_TRUE(control(twoLines).wordWrap) << twoLines;
    EXPECT_EQ(control("Timer1").kind, ControlKind::Timer);
}

// ---------------------------------------------------------------------------------------------
// Plate series

namespace {

// The constants of one side of a plate: equivalent diameter, Nusselt factor and Reynolds exponent,
// pressure-drop factor and exponent.
struct Side {
    double de, c, n, a, b;
};

struct Plate {
    const char* item;
    double area;
    const char* designation;
    double primaryChannel, secondaryChannel;
    Side primary, secondary;
};

void expectPlate(const heatcalc::plate::PlateModel& got, const Plate& want)
{
    const std::string row = want.designation;
    EXPECT_EQ(got.listItem, want.item) << row;
    EXPECT_EQ(got.area, want.area) << row;
    EXPECT_EQ(got.designation, want.designation) << row;
    EXPECT_EQ(got.primaryChannel, want.primaryChannel) << row;
    EXPECT_EQ(got.secondaryChannel, want.secondaryChannel) << row;
    for (auto [side, g, w] :
         {std::tuple{"primary", got.primary, want.primary}, {"secondary", got.secondary, want.secondary}}) {
        EXPECT_EQ(g.de, w.de) << row << " " << side << " de";
        EXPECT_EQ(g.c, w.c) << row << " " << side << " C";
        EXPECT_EQ(g.n, w.n) << row << " " << side << " n";
        EXPECT_EQ(g.a, w.a) << row << " " << side << " A";
        EXPECT_EQ(g.b, w.b) << row << " " << side << " b";
    }
}

}  // namespace

TEST(FoPlateSeries, EveryValueOfEveryPlate)
{
    // Equal-section plates: one channel and one heat-transfer correlation for both sides, a
    // pressure-drop correlation for each.
    // clang-format off
    const std::vector<Plate> equal = {
        {"0.1", 0.1, "BR0.1", 0.00092, 0.00092, {0.008, 0.46, 0.59, 5248, 0.41}, {0.008, 0.46, 0.59, 5248, 0.41}},
        {"0.25", 0.25, "BR0.25", 0.001089, 0.001089, {0.00656, 0.0998, 0.7596, 372, 0.185}, {0.00656, 0.0998, 0.7596, 1460, 0.3325}},
        {"0.5", 0.5, "BR0.5", 0.00156, 0.00156, {0.00695, 0.1653, 0.7232, 566, 0.185}, {0.00695, 0.1653, 0.7232, 2203, 0.3325}},
        {"0.85", 0.85, "BR0.85", 0.001943, 0.001943, {0.007, 0.0986, 0.7625, 502, 0.2008}, {0.007, 0.0986, 0.7625, 502, 0.2008}},
        {"1.1", 1.1, "BR1.1", 0.00328, 0.00328, {0.0072, 0.1499, 0.7208, 1925, 0.2177}, {0.0072, 0.1499, 0.7208, 1537, 0.2023}},
        {"1.4", 1.4, "BR1.4", 0.00328, 0.00328, {0.0072, 0.1499, 0.7208, 2085, 0.2177}, {0.0072, 0.1499, 0.7208, 1659, 0.2063}},
        {"1.7", 1.7, "BR1.7", 0.00328, 0.00328, {0.0072, 0.1499, 0.7208, 2252, 0.2202}, {0.0072, 0.1499, 0.7208, 1924, 0.2155}},
    };
    // clang-format on
    // Unequal-section plates: the narrower channel on the primary side.
    // clang-format off
    const std::vector<Plate> unequal = {
        {"0.35", 0.35, "BBR0.35", 0.001307, 0.002088, {0.006, 0.1834, 0.6779, 544, 0.2708}, {0.00959, 0.1708, 0.6779, 1183, 0.3298}},
        {"0.5", 0.5, "BBR0.5", 0.001307, 0.002088, {0.006, 0.1834, 0.6779, 594, 0.2702}, {0.00959, 0.1708, 0.6779, 1296, 0.3295}},
        {"0.52", 0.52, "BBR0.52", 0.001366, 0.002733, {0.00493, 0.1864, 0.6779, 564, 0.2708}, {0.00987, 0.171, 0.7422, 1203, 0.3298}},
        {"0.85", 0.85, "BBR0.85", 0.001366, 0.002733, {0.00493, 0.0725, 0.7863, 481, 0.1754}, {0.00987, 0.1913, 0.6975, 666, 0.251}},
        {"1.2", 1.2, "BBR1.2", 0.001307, 0.002088, {0.006, 0.072, 0.7832, 478, 0.1743}, {0.00959, 0.1899, 0.6955, 653, 0.263}},
    };
    // clang-format on
    using heatcalc::plate::EqualSectionPlateTable;
    using heatcalc::plate::UnequalSectionPlateTable;
    ASSERT_EQ(EqualSectionPlateTable.size(), equal.size());
    ASSERT_EQ(UnequalSectionPlateTable.size(), unequal.size());
    for (std::size_t i = 0; i < equal.size(); ++i)
        expectPlate(EqualSectionPlateTable[i], equal[i]);
    for (std::size_t i = 0; i < unequal.size(); ++i)
        expectPlate(UnequalSectionPlateTable[i], unequal[i]);
    EXPECT_EQ(heatcalc::plate::PrimaryPrandtlExponent, 0.3);
    EXPECT_EQ(heatcalc::plate::SecondaryPrandtlExponent, 0.4);
}

// ---------------------------------------------------------------------------------------------
// Area step

struct AreaCase {
    const char* name;
    Texts inputs;
    Texts expected;
};

TEST(FoArea, Results)
{
    const std::vector<AreaCase> cases = {
        {"defaults",
         {},
         {{"Text7", "0.8141"},
          {"Text8", "17.5"},
          {"Text9", "35.0"},
          {"Text12", "18.2047845325367"},
          {"Text13", "11.1797533025589"}}},
        {"equal end differences",
         {{"Text3", "80"}},
         {{"Text8", "35.0"}, {"Text9", "35.0"}, {"Text12", "30"}, {"Text13", "6.78416666666667"}}},
        {"b > a",
         {{"Text4", "90"}, {"Text5", "40"}},
         {{"Text8", "17.5"}, {"Text9", "14.0"}, {"Text12", "14.4269504088896"}, {"Text13", "14.1072779923463"}}},
        {"decimal inputs",
         {{"Text1", "2.5"}, {"Text2", "95"}, {"Text3", "65"}, {"Text4", "75"}, {"Text5", "55"}, {"Text6", "4000"}},
         {{"Text7", "2.03525"},
          {"Text8", "58.3"},
          {"Text9", "87.5"},
          {"Text12", "14.4269504088896"},
          {"Text13", "44.0852437260823"}}},
        {"no floor area",
         {{"Text1", "0"}},
         {{"Text7", "0"}, {"Text8", "0.0"}, {"Text9", "0.0"}, {"Text12", "18.2047845325367"}, {"Text13", "0"}}},
        {"both end differences negative",
         {{"Text2", "60"}, {"Text3", "20"}},
         {{"Text8", "17.5"}, {"Text9", "35.0"}, {"Text12", "-18.2047845325367"}, {"Text13", "-11.1797533025589"}}},
    };
    for (const AreaCase& c : cases) {
        Fo f;
        set(f, c.inputs);
        f.Command1_Click();
        expectTexts(f, c.expected, c.name);
        f.Command1_Click();  // a second press writes the same texts
        expectTexts(f, c.expected, c.name);
    }
}

struct AreaFailure {
    const char* name;
    Texts inputs;
    const char* field;
    FailureReason reason;
    Texts after;  // every field the press leaves; the water properties keep their design texts
};

TEST(FoArea, FailureStopsAtItsStatement)
{
    const std::vector<AreaFailure> cases = {
        {"no floor area",
         {{"Text1", ""}},
         "Text1",
         FailureReason::NotANumber,
         {{"Text7", "0"}, {"Text8", "0"}, {"Text12", "Text12"}}},
        {"primary temperatures equal",
         {{"Text3", "100"}},
         "Text8",
         FailureReason::DivisionByZero,
         {{"Text7", "0.8141"}, {"Text8", "0"}, {"Text9", "0"}, {"Text12", "Text12"}}},
        {"secondary return not a number",
         {{"Text5", "5O"}},
         "Text5",
         FailureReason::NotANumber,
         {{"Text7", "0.8141"}, {"Text8", "17.5"}, {"Text9", "0"}}},
        {"primary supply beyond the range of a number",
         {{"Text2", "1e999"}},
         "Text2",
         FailureReason::NumberOutOfRange,
         {{"Text7", "0.8141"}, {"Text8", "0"}, {"Text9", "0"}}},
        {"primary temperatures swapped",
         {{"Text2", "60"}, {"Text3", "100"}},
         "Text12",
         FailureReason::LogOfNonPositive,
         {{"Text7", "0.8141"}, {"Text8", "-17.5"}, {"Text9", "35.0"}, {"Text12", "Text12"}, {"Text13", "0"}}},
        {"zero end difference",
         {{"Text4", "100"}, {"Text5", "40"}},
         "Text12",
         FailureReason::DivisionByZero,
         {{"Text9", "11.7"}, {"Text12", "Text12"}}},
        {"no K",
         {{"Text6", "0"}},
         "Text13",
         FailureReason::DivisionByZero,
         {{"Text9", "35.0"}, {"Text12", "18.2047845325367"}, {"Text13", "0"}}},
    };
    for (const AreaFailure& c : cases) {
        Fo f;
        set(f, c.inputs);
        expectFailure(f, &Fo::Command1_Click, c.field, c.reason);
        expectTexts(f, c.after, c.name);
        for (const char* property : {"Text28", "Text31", "Text35", "Text39"})
            EXPECT_EQ(f.text(property), property) << c.name;
    }
}

TEST(FoArea, FailingPressKeepsTheEarlierResults)
{
    Fo f;
    f.Command1_Click();
    f.setText("Text6", "0");
    EXPECT_THROW(f.Command1_Click(), CalculationFailure);
    expectTexts(f, {{"Text13", "11.1797533025589"}, {"Text28", "2.94E-07"}, {"Text39", "0.647"}});
}

// ---------------------------------------------------------------------------------------------
// Water property table

namespace {

struct Row {
    double t;
    const char* viscosity;
    const char* prandtl;
    const char* lambda;
};

// The table as the work fields show it.
const std::vector<Row> Table = {
    {5, "1.535E-06", "11.4", "0.568"},  {10, "1.3E-06", "9.5", "0.577"},    {15, "1.146E-06", "8.1", "0.587"},
    {20, "1.006E-06", "7", "0.597"},    {25, "8.84E-07", "6.1", "0.606"},   {30, "8.05E-07", "5.4", "0.615"},
    {35, "7.25E-07", "4.8", "0.624"},   {40, "6.58E-07", "4.3", "0.633"},   {45, "6.11E-07", "3.9", "0.64"},
    {50, "5.56E-07", "3.55", "0.647"},  {55, "5.17E-07", "3.27", "0.652"},  {60, "4.78E-07", "3", "0.658"},
    {65, "4.44E-07", "2.76", "0.663"},  {70, "4.15E-07", "2.55", "0.668"},  {75, "3.66E-07", "2.23", "0.671"},
    {80, "3.64E-07", "2.25", "0.673"},  {85, "3.39E-07", "2.04", "0.676"},  {90, "3.26E-07", "1.95", "0.678"},
    {95, "3.1E-07", "1.84", "0.68"},    {100, "2.94E-07", "1.75", "0.682"}, {110, "2.68E-07", "1.57", "0.684"},
    {120, "2.44E-07", "1.43", "0.685"}, {130, "2.26E-07", "1.32", "0.686"},
};

struct Chain {
    const char* temperature;
    const char* viscosity;
    const char* prandtl;
    const char* lambda;
    double offset;  // the temperatures are set s + 4, s + 3, s + 1, s: end differences of 3, both
    double lastViscosity;
    double lastOther;
};

const std::vector<Chain> Chains = {
    {"Text2", "Text28", "Text32", "Text36", 4, 130, 130},
    {"Text3", "Text29", "Text33", "Text37", 3, 100, 100},
    {"Text4", "Text30", "Text34", "Text38", 1, 100, 100},
    {"Text5", "Text31", "Text35", "Text39", 0, 95, 100},
};

// The texts a temperature T gives: the row with the greatest threshold not above T, up to `last`.
const Row* rowFor(double temperature, double last)
{
    const Row* found = nullptr;
    for (const Row& r : Table)
        if (r.t <= last && temperature >= r.t)
            found = &r;
    return found;
}

// An area press with `chain`'s temperature at T and the other three placed so that the press
// succeeds; then the chain's three fields hold the row for T, or their design texts below 5.
void expectRowAt(const Chain& chain, double temperature)
{
    Fo f;
    const double s = temperature - chain.offset;
    f.setText("Text2", heatcalc::FormatNumber(s + 4));
    f.setText("Text3", heatcalc::FormatNumber(s + 3));
    f.setText("Text4", heatcalc::FormatNumber(s + 1));
    f.setText("Text5", heatcalc::FormatNumber(s));
    f.Command1_Click();
    ASSERT_EQ(f.text("Text12"), "3");

    const Row* v = rowFor(temperature, chain.lastViscosity);
    const Row* other = rowFor(temperature, chain.lastOther);
    const std::string context = std::string(chain.temperature) + " = " + heatcalc::FormatNumber(temperature);
    EXPECT_EQ(f.text(chain.temperature), heatcalc::FormatNumber(temperature));
    EXPECT_EQ(f.text(chain.viscosity), v ? v->viscosity : chain.viscosity) << context;
    EXPECT_EQ(f.text(chain.prandtl), other ? other->prandtl : chain.prandtl) << context;
    EXPECT_EQ(f.text(chain.lambda), other ? other->lambda : chain.lambda) << context;
}

}  // namespace

TEST(FoWaterTable, EveryThresholdOfEveryChain)
{
    for (const Chain& chain : Chains) {
        for (const Row& r : Table) {
            ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, r.t));        // on the threshold: that row
            ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, r.t + 2.5));  // between: the lower row
            ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, r.t - 0.5));  // just below: the row before
        }
        ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, 150));  // above the last row
        ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, 4));    // below 5: nothing written
    }
}

TEST(FoWaterTable, DesignTemperatures)
{
    Fo f;
    f.Command1_Click();
    expectTexts(f, {{"Text28", "2.94E-07"},
                    {"Text32", "1.75"},
                    {"Text36", "0.682"},
                    {"Text29", "4.78E-07"},
                    {"Text33", "3"},
                    {"Text37", "0.658"},
                    {"Text30", "4.15E-07"},
                    {"Text34", "2.55"},
                    {"Text38", "0.668"},
                    {"Text31", "5.56E-07"},
                    {"Text35", "3.55"},
                    {"Text39", "0.647"}});
}

TEST(FoWaterTable, SingleTemperatureChanges)
{
    struct Case {
        Texts inputs;
        Texts expected;
    };
    const std::vector<Case> cases = {
        // On a threshold: the 75 row, whose Prandtl number lies below the 80 row's.
        {{{"Text3", "75"}}, {{"Text29", "3.66E-07"}, {"Text33", "2.23"}, {"Text37", "0.671"}}},
        {{{"Text4", "72.5"}}, {{"Text30", "4.15E-07"}, {"Text34", "2.55"}, {"Text38", "0.668"}}},
        {{{"Text2", "105"}}, {{"Text28", "2.94E-07"}, {"Text32", "1.75"}, {"Text36", "0.682"}}},
        {{{"Text2", "150"}}, {{"Text28", "2.26E-07"}, {"Text32", "1.32"}, {"Text36", "0.686"}}},
        // Below 5: the three fields of the secondary return keep their texts, the others are written.
        {{{"Text5", "4"}},
         {{"Text31", "Text31"},
          {"Text35", "Text35"},
          {"Text39", "Text39"},
          {"Text30", "4.15E-07"},
          {"Text34", "2.55"},
          {"Text38", "0.668"}}},
    };
    for (const Case& c : cases) {
        Fo f;
        set(f, c.inputs);
        f.Command1_Click();
        expectTexts(f, c.expected, c.inputs.front().second);
    }
}

TEST(FoWaterTable, HotWater)
{
    Fo f;
    set(f, {{"Text2", "130"}, {"Text3", "110"}, {"Text4", "120"}, {"Text5", "100"}});
    f.Command1_Click();
    expectTexts(f, {{"Text12", "10"},
                    {"Text28", "2.26E-07"},
                    {"Text32", "1.32"},
                    {"Text36", "0.686"},
                    {"Text29", "2.94E-07"},
                    {"Text33", "1.75"},
                    {"Text37", "0.682"},
                    {"Text30", "2.94E-07"},
                    {"Text34", "1.75"},
                    {"Text38", "0.682"},
                    // The secondary return's viscosity stops at the 95 row, its other chains at 100.
                    {"Text31", "3.1E-07"},
                    {"Text35", "1.75"},
                    {"Text39", "0.682"}});
}

TEST(FoWaterTable, BelowTheTableKeepsAnEarlierPress)
{
    Fo f;
    f.Command1_Click();
    f.setText("Text5", "4");
    f.Command1_Click();
    expectTexts(f, {{"Text31", "5.56E-07"}, {"Text35", "3.55"}, {"Text39", "0.647"}, {"Text9", "10.6"}});
}
