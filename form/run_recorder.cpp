#include "run_recorder.h"

namespace switchsim {

RunRecorder::~RunRecorder() {
  if (log_ != nullptr) form_.RemoveListener(log_.get());
}

void RunRecorder::Start(const RunParameters& parameters) {
  if (log_ != nullptr) form_.RemoveListener(log_.get());
  text_.clear();
  log_ = std::make_unique<RunLog>(form_.simulation(), form_, RunLog::Format::Json, text_);
  log_->Start(parameters);
  form_.AddListener(log_.get());
}

void RunRecorder::End(double continuous_ms) {
  if (log_ == nullptr) return;
  log_->End(continuous_ms);
  form_.RemoveListener(log_.get());
  log_.reset();
}

}  // namespace switchsim
