#pragma once
// Where a slider's thumb sits for a position, and which position a pixel stands for. Measured
// along the track: x for a horizontal slider; for a vertical one the distance up from the
// bottom edge, so the maximum is at the top.

struct SliderTrack {
    int length = 0;     // channel length along the track
    int thumb = 0;      // thumb length along the track
    int marginLo = 0;   // margin at the minimum end
    int marginHi = 0;   // margin at the maximum end
};

// The thumb centre for pos. With min equal to max (or no room on the track) the thumb stays at
// the minimum end. pos is clamped into the range first.
int SliderPosToCentre(const SliderTrack& t, int pos, int min, int max);

// The position a thumb centre at a stands for, clamped into [min, max]. The scale runs a little
// past the track so its last pixels reach the maximum. With min equal to max, min; with no room
// on the track, min up to the track's start and max beyond it.
int SliderPixelToPos(const SliderTrack& t, int a, int min, int max);

// The range a thumb centre may take: [marginLo + thumb/2, length - marginHi - thumb/2]; when the
// track is too short for the thumb, both ends are the first.
int SliderCentreLow(const SliderTrack& t);
int SliderCentreHigh(const SliderTrack& t);
int ClampSliderCentre(const SliderTrack& t, int a);

// Along-track coordinate of a widget coordinate, and back (vertical: measured from the bottom).
int SliderAxisFromWidget(int widgetCoord, int widgetExtent, bool vertical);
int SliderWidgetFromAxis(int axisCoord, int widgetExtent, bool vertical);
