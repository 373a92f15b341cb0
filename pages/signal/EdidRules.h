#pragma once
// The EDID page's rules without a window: which inputs the list offers, which record holds an
// input's EDID, the pixel-clock limit of an input type and the frame rate kept in hundredths.

#include "device/DeviceParamBlock.h"

#include <cstdint>
#include <optional>

namespace edidrules {

constexpr int kInputCount = 8;
constexpr int kNoRecord = -1;

// The record an EDID command for input e addresses: e for inputs 0..4, e - 1 for 6 and 7.
// Input 5 has no EDID of its own (its record belongs to input 6); out of range gives kNoRecord.
int RecordIndexOf(int input);

// The first record whose input byte is e, or kNoRecord: the one the page shows.
int FindRecordFor(const EdidTiming (&records)[kEdidRecordCount], int input);

// True when the record the commands write for input e holds input e: only then Apply and Restore
// have something to act on.
bool HasWritableRecord(const EdidTiming (&records)[kEdidRecordCount], int input);

// Whether the input list offers input n. The first fill (when the page is made) and a refill
// (after a whole block) differ: a refill also drops USB inputs and takes a dual-link HDMI input.
enum class Fill { First, Refill };
bool ListsInput(Fill fill, int n, int src, int enabled, int dpMode1);

// The pixel clock (pixels per second) input n of type src carries, or nothing when the type has
// no known limit (then the edits keep only their own ranges).
std::optional<double> PixelClockLimit(int input, int src);

enum class Field { HActive, VActive, Fps, HBlank, VBlank };
struct Timing {
    double hActive = 0, vActive = 0, fps = 0, hBlank = 0, vBlank = 0;
};

// The largest value the field may take with the others as they are, so that the pixel clock stays
// within clock: computed in double precision and truncated. Nothing when no limit can be computed
// (a zero or negative product).
std::optional<int> FieldLimit(Field field, const Timing& t, double clock);

// The value the edit should show after the field was typed: the limit when the typed value
// (truncated) is above it, else nothing (the value stands).
std::optional<int> LimitedValue(Field field, const Timing& t, std::optional<double> clock);

// The rate to store for a shown whole-hertz rate: the stored hundredths stay when the operator
// left the rate as it was shown (59.94 is shown as 59 and stays 5994), else the rate times 100.
uint16_t StoredFps(int shownFps, uint16_t storedFps);

}  // namespace edidrules
