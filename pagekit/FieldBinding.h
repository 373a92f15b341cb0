#pragma once
// The pattern most page controls share: a numeric edit shows one device field (for the window and
// input selected at that moment), and a commit stores the edit's value in the field, clamped to
// the edit's range, then sends one command through the encoder. Pages with rules of their own
// keep plain code; this only spares the pages the repeated wiring.

#include <functional>
#include <vector>

class NumericEditBase;

// Stored value of an edit's number: rounded to the nearest step of 1/scale (scale 100 keeps
// hundredths, so 59.94 is 5994), then clamped into [min, max] of the edit's range in those units.
int ScaledFieldValue(double value, double minimum, double maximum, int scale);

class FieldBindings {
public:
    struct Field {
        std::function<int()> read;       // the stored value, read at every show
        std::function<void(int)> write;  // stores a committed value
        std::function<void()> send;      // the one command that follows a store; may be empty
        int scale = 1;                   // stored units per shown unit (100 for hundredths)
    };

    // The edit must carry its control id (SetControlId) before it is bound.
    void Bind(NumericEditBase* edit, Field field);

    // A committed value of a bound edit (WM_VALUE_CHANGED): stored, clamped, then sent. False
    // when no field is bound to that control id.
    bool Commit(int controlId);
    // Shows the stored values in every bound edit (after a refresh from the device).
    void ShowAll() const;
    void Show(int controlId) const;

private:
    struct Binding {
        int controlId;
        NumericEditBase* edit;
        Field field;
    };
    const Binding* Find(int controlId) const;
    static void ShowIn(const Binding& b);

    std::vector<Binding> bindings_;
};
