#pragma once

#include <QString>
#include <QStringList>

// What the settings panel offers: the entries of its four lists, the mode names it shows, and
// the mapping between the time-range list and `TimeRange` (units of 10 ms).
namespace PanelChoices {

// "None" ... "Analog Level Meter", indexed by `VSA`; an unknown mode gives "".
QString ModeName(int mode);
QStringList TimeEntries();
QStringList WindowEntries();
QStringList FftSizeEntries();

// The peak-hold fall rates offered for spectrum analyzer A, dB a second (0: no trace), and
// the entry showing a rate (the first for a rate not offered).
const QList<int> &PeakFalls();
int PeakFallIndexOf(int fall);

// The time-range entry that shows timeRange; a value not in the list selects "100ms".
int TimeIndexOf(int timeRange);
// The `TimeRange` of a time-range entry; an index outside the list gives 10 (100 ms).
int TimeRangeAt(int index);

} // namespace PanelChoices
