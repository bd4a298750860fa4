#pragma once

#include <array>

#include "common/form_model.h"

// The fields of the plate window by what they hold, each with its caption and unit as the window
// shows them; the work fields, which the user never sees, with what they carry to a later step.
// Viscosities are kinematic, conductivities thermal.
namespace heatcalc::fo {

// Inputs
inline constexpr Field HeatedFloorArea{"Text1"};          // 换热面积, 万M2
inline constexpr Field PrimarySupplyTemp{"Text2"};        // 1#供水温度, 度
inline constexpr Field PrimaryReturnTemp{"Text3"};        // 1#回水温度, 度
inline constexpr Field SecondarySupplyTemp{"Text4"};      // 2#供水温度, 度
inline constexpr Field SecondaryReturnTemp{"Text5"};      // 2#回水温度, 度
inline constexpr Field HeatTransferCoefficient{"Text6"};  // 传热系数, W/M2℃
inline constexpr Field AddedPlateCount{"Text26"};         // 增加片数, 片
inline constexpr Field EqualSectionPlate{"Combo1"};       // 等截面板片选择, M2: the plate area
inline constexpr Field UnequalSectionPlate{"Combo2"};     // 不等截面板片选择, M2: the plate area

// Results
inline constexpr Field HeatLoadMW{"Text7"};              // 热量, WM
inline constexpr Field PrimaryFlow{"Text8"};             // 一次流量, T/H, one decimal
inline constexpr Field SecondaryFlow{"Text9"};           // 二次流量, T/H, one decimal
inline constexpr Field PrimaryVelocity{"Text46"};        // 一次流速, M/S, one decimal or 流速太低
inline constexpr Field SecondaryVelocity{"Text47"};      // 二次流速, M/S, one decimal or 流速太低
inline constexpr Field PrimaryPressureDrop{"Text20"};    // 一次阻力, KPa
inline constexpr Field SecondaryPressureDrop{"Text21"};  // 二次阻力, KPa
inline constexpr Field ExchangerArea{"Text13"};          // 板换面积, M2: the required area
inline constexpr Field AddedPlateArea{"Text18"};         // "+" after 板换面积, M2
inline constexpr Field PlateCount{"Text19"};             // 板片数量, 片
inline constexpr Field VerifiedHeatFlow{"Text45"};       // 验证热流量, WM
inline constexpr Field CorrectedKValue{"Text27"};        // 修正K值, W/M2℃
inline constexpr Field CheckReturnTemp{"Text48"};        // red, on the 1#回水温度 row, 度
inline constexpr Field CheckSupplyTemp{"Text49"};        // red, on the 2#供水温度 row, 度
inline constexpr Field PlateDesignation{"Text44"};       // 你选的板片型号面积：, m2
inline constexpr Field ClockLabel{"Label1"};             // the date and time

// Work fields
inline constexpr Field LogMeanDiff{"Text12"};               // work: log-mean temperature difference, K
inline constexpr Field PrimarySupplyViscosity{"Text28"};    // work: viscosity at 1#供水温度, m2/s
inline constexpr Field PrimaryReturnViscosity{"Text29"};    // work: viscosity at 1#回水温度, m2/s
inline constexpr Field SecondarySupplyViscosity{"Text30"};  // work: viscosity at 2#供水温度, m2/s
inline constexpr Field SecondaryReturnViscosity{"Text31"};  // work: viscosity at 2#回水温度, m2/s
inline constexpr Field PrimarySupplyPrandtl{"Text32"};      // work: Prandtl number at 1#供水温度
inline constexpr Field PrimaryReturnPrandtl{"Text33"};      // work: Prandtl number at 1#回水温度
inline constexpr Field SecondarySupplyPrandtl{"Text34"};    // work: Prandtl number at 2#供水温度
inline constexpr Field SecondaryReturnPrandtl{"Text35"};    // work: Prandtl number at 2#回水温度
inline constexpr Field PrimarySupplyLambda{"Text36"};       // work: conductivity λ at 1#供水温度, W/(m.K)
inline constexpr Field PrimaryReturnLambda{"Text37"};       // work: conductivity λ at 1#回水温度, W/(m.K)
inline constexpr Field SecondarySupplyLambda{"Text38"};     // work: conductivity λ at 2#供水温度, W/(m.K)
inline constexpr Field SecondaryReturnLambda{"Text39"};     // work: conductivity λ at 2#回水温度, W/(m.K)
inline constexpr Field PrimaryChannel{"Text14"};            // work: channel cross-section, primary side, m2
inline constexpr Field SecondaryChannel{"Text15"};          // work: channel cross-section, secondary side, m2
inline constexpr Field UnequalPlateArea{"Text16"};          // work: area of the unequal-section plate matched, m2
inline constexpr Field ChannelsPerSide{"Text17"};           // work: channels per side
inline constexpr Field PrimaryChannelVelocity{"Text10"};    // work: channel velocity, primary side, m/s
inline constexpr Field SecondaryChannelVelocity{"Text11"};  // work: channel velocity, secondary side, m/s
inline constexpr Field PrimaryViscosityMean{"Text22"};      // work: mean viscosity, primary side, m2/s
inline constexpr Field SecondaryViscosityMean{"Text23"};    // work: mean viscosity, secondary side, m2/s
inline constexpr Field PrimaryPrandtlMean{"Text24"};        // work: mean Prandtl number, primary side
inline constexpr Field SecondaryPrandtlMean{"Text25"};      // work: mean Prandtl number, secondary side
inline constexpr Field PrimaryLambdaMean{"Text40"};         // work: mean conductivity λ, primary side, W/(m.K)
inline constexpr Field SecondaryLambdaMean{"Text41"};       // work: mean conductivity λ, secondary side, W/(m.K)

// Every name above, found among the window's controls when the window is built.
// clang-format off
inline constexpr std::array Fields{
    HeatedFloorArea, PrimarySupplyTemp, PrimaryReturnTemp, SecondarySupplyTemp, SecondaryReturnTemp,
    HeatTransferCoefficient, AddedPlateCount, EqualSectionPlate, UnequalSectionPlate,
    HeatLoadMW, PrimaryFlow, SecondaryFlow, PrimaryVelocity, SecondaryVelocity, PrimaryPressureDrop,
    SecondaryPressureDrop, ExchangerArea, AddedPlateArea, PlateCount, VerifiedHeatFlow, CorrectedKValue,
    CheckReturnTemp, CheckSupplyTemp, PlateDesignation, ClockLabel,
    LogMeanDiff, PrimarySupplyViscosity, PrimaryReturnViscosity, SecondarySupplyViscosity, SecondaryReturnViscosity,
    PrimarySupplyPrandtl, PrimaryReturnPrandtl, SecondarySupplyPrandtl, SecondaryReturnPrandtl,
    PrimarySupplyLambda, PrimaryReturnLambda, SecondarySupplyLambda, SecondaryReturnLambda,
    PrimaryChannel, SecondaryChannel, UnequalPlateArea, ChannelsPerSide, PrimaryChannelVelocity,
    SecondaryChannelVelocity, PrimaryViscosityMean, SecondaryViscosityMean, PrimaryPrandtlMean, SecondaryPrandtlMean,
    PrimaryLambdaMean, SecondaryLambdaMean};
// clang-format on

}  // namespace heatcalc::fo
