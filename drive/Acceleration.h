#pragma once

#include <QString>
#include <QStringList>

namespace korven {
namespace accel {

constexpr int kEntries = 2047;
// The multiplier search works on the ideal value lowered by 5 %.
constexpr long double kReduction = 0.05L;

// 244140624 / 2^(2 * PulsDiv + 10) steps/s^2 per register unit.
long double AccelUnit(int pulsDiv);
// The unit rounded to two decimals by formatting and reading back (232.83 for PulsDiv 5).
long double roundedUnit(int pulsDiv);

// k * unit for k = 1 .. 2047, two decimals, decimal comma.
QStringList listTexts(long double unit);
// "(%.2f..%.2f)" for unit and 2047 * unit.
QString rangeText(long double unit);

struct PMulPDiv {
    int PMul = -1; // 128 .. 255, -1 when nothing was found
    int PDiv = -1; // 0 .. 13, -1 when nothing was found
    long double PIdeal = 0;
    long double PReduced = 0;
    long double PBest = 0;
    bool found() const { return PMul >= 128 && PMul <= 255 && PDiv >= 0 && PDiv <= 13; }
};

PMulPDiv FindPMulPDiv(long long aMax, int rampDiv, int pulsDiv, long double reduction);

// The register value (1 .. 2047) of the list entry nearest to a typed acceleration.
int nearestEntry(long double stepsPerSecondSquared, int pulsDiv);

// The register value a stored acceleration stands for: Round(v / roundedUnit).
long long aMaxFromValue(long double stepsPerSecondSquared, int pulsDiv);

} // namespace accel
} // namespace korven
