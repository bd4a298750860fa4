#pragma once

#include <span>
#include <string_view>

#include "common/clock.h"
#include "common/form_model.h"
#include "plate/fo_fields.h"
#include "plate/plate_tables.h"

namespace heatcalc {

// The plate heat-exchanger window: heat load, flows, log-mean temperature difference and area;
// then, for a plate picked from one of two series, plate count and channel velocities; then the
// corrected heat-transfer coefficient, the pressure drops and the check of the heat flow.
// Printing the window is left to the user interface.
class Fo : public FormModel {
public:
    Fo();

    static const FormDesign& designTable();

    // The clock the caption label shows; the machine's local time unless replaced.
    void setClock(Clock clock);

    // Starts the one-second clock.
    void Form_Load();
    // The clock label shows the date and time.
    void Timer1_Timer();
    // Designation of the plate picked in either list.
    void Combo1_Click();
    void Combo2_Click();
    // Heat load, flows, log-mean temperature difference, area and the water properties.
    void Command1_Click();
    // Plate count and velocities for the equal-section plate in Combo1.
    void Command3_Click();
    // The same for the unequal-section plate in Combo2.
    void Command4_Click();
    // Corrected K, pressure drops and heat-flow check for the unequal-section plate in Combo2.
    void Command5_Click();
    // The same for the equal-section plate in Combo1.
    void Command6_Click();

private:
    // The fields one side of the exchanger reads in the pressure-drop step.
    struct SideFields {
        Field velocity;
        Field viscosity;
        Field prandtl;
        Field conductivity;
    };
    static constexpr SideFields PrimarySide{fo::PrimaryChannelVelocity, fo::PrimaryViscosityMean,
                                            fo::PrimaryPrandtlMean, fo::PrimaryLambdaMean};
    static constexpr SideFields SecondarySide{fo::SecondaryChannelVelocity, fo::SecondaryViscosityMean,
                                              fo::SecondaryPrandtlMean, fo::SecondaryLambdaMean};

    void designation(std::span<const plate::PlateModel> table, Field list);
    void waterPropertyLookup();
    void velocityCalculation(std::span<const plate::PlateModel> table, Field list, bool copiesPlateArea);
    void pressureDropCalculation(std::span<const plate::PlateModel> table, Field list);

    Num reynolds(const plate::SideCorrelation& side, const SideFields& fields) const;
    Num filmCoefficient(const plate::SideCorrelation& side, const SideFields& fields, double prandtlExponent) const;
    Num correctedK(const plate::PlateModel& row) const;
    Num pressureDrop(const plate::SideCorrelation& side, const SideFields& fields) const;
    Num verifiedHeat() const;

    Clock clock_ = SystemLocalTime;
};

}  // namespace heatcalc
