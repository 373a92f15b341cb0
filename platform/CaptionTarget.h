#pragma once
// A control that shows a caption the language layer can replace, for controls that are neither
// buttons, labels nor group boxes (custom-drawn ones). Applying a language calls SetCaptionText
// with the control's text from the current language file.

class QString;

class ICaptionTarget {
public:
    virtual ~ICaptionTarget() = default;
    virtual void SetCaptionText(const QString& text) = 0;
};
