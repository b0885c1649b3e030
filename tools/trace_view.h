#pragma once

#include <string>

#include "form/box_texts.h"
#include "form/form_surface.h"

namespace switchsim::trace {

/// The driver's form: the boxes' texts as plain strings, and no pixels. It
/// keeps what the form sets and draws nothing; strokes and markers reach the
/// driver through the form's listener.
class TraceView : public FormSurface {
 public:
  void FillList(BoxId /*box*/, std::span<const std::string_view> /*items*/) override {}
  std::string BoxText(BoxId box) const override { return texts_[box]; }
  void SetBoxText(BoxId box, std::string_view text) override { texts_[box] = std::string(text); }
  void SetRateColour(int /*link*/, Rgb /*colour*/) override {}
  void SetRateLabelColour(int /*link*/, Rgb /*colour*/) override {}
  void SetCaption(int /*button*/, std::string_view /*caption*/) override {}
  void ClearTrace(int /*link*/) override {}
  TraceScale ScaleOf(int link) const override;
  void DrawLine(int /*link*/, double /*x1*/, double /*y1*/, double /*x2*/, double /*y2*/,
                Rgb /*colour*/) override {}
  void ShowMarker(Marker /*marker*/, double /*y_twips*/, Rgb /*colour*/) override {}
  void HideMarker(Marker /*marker*/) override {}
  void SetTimerRunning(bool /*running*/) override {}

 private:
  BoxTexts texts_;
};

}  // namespace switchsim::trace
