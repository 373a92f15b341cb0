#pragma once
// The numeric edits as the signal pages use them: enabling one also switches its frame between
// the field look and the disabled look (a plain setEnabled keeps the frame it was created with).

#include "controls/oBitmapSlider.h"  // oSliderEdit keeps a QPointer to its slider
#include "controls/oRealEdit.h"
#include "controls/oSliderEdit.h"

template <class Edit>
class PageEdit : public Edit {
public:
    using Edit::Edit;
    void SetFieldEnabled(bool on) { this->SetEnabledField(on); }
};

using PageRealEdit = PageEdit<oRealEdit>;
using PageSliderEdit = PageEdit<oSliderEdit>;
