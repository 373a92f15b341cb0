#include "pagekit/FieldBinding.h"

#include "controls/NumericEditBase.h"
#include "controls/oRealEdit.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "platform/ControlId.h"

#include <cmath>
#include <limits>

int ScaledFieldValue(double value, double minimum, double maximum, int scale)
{
    if (scale < 1) scale = 1;
    if (minimum > maximum) std::swap(minimum, maximum);
    const double lo = std::ceil(minimum * scale - 1e-9);
    const double hi = std::floor(maximum * scale + 1e-9);
    double v = std::isnan(value) ? lo : std::round(value * scale);
    if (v < lo) v = lo;
    if (v > hi) v = hi;
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

void FieldBindings::Bind(NumericEditBase* edit, Field field)
{
    if (!edit) return;
    const int id = GetControlId(edit);
    for (Binding& b : bindings_) {
        if (b.controlId == id) {
            b = {id, edit, std::move(field)};
            return;
        }
    }
    bindings_.push_back({id, edit, std::move(field)});
}

const FieldBindings::Binding* FieldBindings::Find(int controlId) const
{
    for (const Binding& b : bindings_)
        if (b.controlId == controlId) return &b;
    return nullptr;
}

bool FieldBindings::Commit(int controlId)
{
    const Binding* b = Find(controlId);
    if (!b) return false;
    const int stored = ScaledFieldValue(b->edit->GetValue(), b->edit->GetMinimum(), b->edit->GetMaximum(),
                                        b->field.scale);
    if (b->field.write) b->field.write(stored);
    if (b->field.send) b->field.send();
    return true;
}

void FieldBindings::ShowIn(const Binding& b)
{
    if (!b.field.read) return;
    const float shown = static_cast<float>(b.field.read()) / static_cast<float>(b.field.scale < 1 ? 1 : b.field.scale);
    if (auto* real = qobject_cast<oRealEdit*>(b.edit))
        real->SetValue(shown);
    else if (auto* slider = qobject_cast<oSliderEdit*>(b.edit))
        slider->SetValue(shown);
}

void FieldBindings::ShowAll() const
{
    for (const Binding& b : bindings_) ShowIn(b);
}

void FieldBindings::Show(int controlId) const
{
    if (const Binding* b = Find(controlId)) ShowIn(*b);
}
