#pragma once
// The caption-and-field row shared by the text, path, combo and menu inputs.

#include <string>

class QBoxLayout;
class QLabel;
class QWidget;

/// Puts caption at the row's left, sized to its text and as high as the field, and the field
/// 5 pixels after it, stretching to 5 pixels before the row's right edge. "&x" in the caption
/// makes Alt+x focus the field.
void SetupLabelAndField(QBoxLayout* row, QLabel* label, QWidget* field, const std::string& caption);

/// Shows a caption as plain text, never as rich text.
void SetCaption(QLabel* label, const std::string& caption);
