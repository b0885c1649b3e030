#pragma once

class QWidget;

// What assistive technology reads of the form: the form's children without
// its decoration, the boxes named by their purpose with their value apart,
// the traces and the logo as pictures, the markers as texts.
namespace switchsim::accessibility {

/// Installs the form's accessible interfaces with Qt; the first call does it,
/// later calls do nothing.
void Install();

/// Marks `widget` as decoration (a node line, a box, a frame, a margin's
/// drawing), which the form's accessible children leave out.
void MarkDecoration(QWidget& widget);

}  // namespace switchsim::accessibility
