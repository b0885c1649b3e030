#include "run_recorder.h"

namespace switchsim {

RunRecorder::~RunRecorder() {
  if (recording_) form_.RemoveListener(log_.get());
}

const std::string& RunRecorder::Text() const {
  if (log_ == nullptr) return whole_;
  if (whole_of_ != log_->Size()) {
    whole_ = log_->WholeText();
    whole_of_ = log_->Size();
  }
  return whole_;
}

void RunRecorder::Start(const RunParameters& parameters) {
  if (recording_) form_.RemoveListener(log_.get());
  text_.clear();
  whole_.clear();
  whole_of_ = kNotWritten;
  log_ = std::make_unique<RunLog>(form_.simulation(), form_, RunLog::Format::Json, text_,
                                  RunLog::Strokes::Later);
  log_->Start(parameters);
  form_.AddListener(log_.get());
  recording_ = true;
}

void RunRecorder::End(double continuous_ms) {
  if (!recording_) return;
  log_->End(continuous_ms);
  form_.RemoveListener(log_.get());
  recording_ = false;
}

}  // namespace switchsim
