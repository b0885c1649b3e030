#include "records/run_recorder.h"

namespace switchsim {

RunRecorder::~RunRecorder() {
  if (!recording_) return;
  form_.RemoveListener(log_.get());
  form_.RemoveListener(timing_.get());
}

const std::vector<Crossing>& RunRecorder::TimingRows() const {
  static const std::vector<Crossing> none;
  return timing_ ? timing_->Rows() : none;
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
  if (recording_) {
    form_.RemoveListener(log_.get());
    form_.RemoveListener(timing_.get());
  }
  if (timing_) timing_revisions_ += timing_->Revision();
  ++timing_revisions_;  // the rows start again
  timing_ = std::make_unique<TimingTable>(form_.simulation(), form_);
  text_.clear();
  whole_.clear();
  whole_of_ = kNotWritten;
  log_ = std::make_unique<RunLog>(form_.simulation(), form_, RunLog::Format::Json, text_,
                                  RunLog::Strokes::Later);
  log_->Start(parameters);
  form_.AddListener(log_.get());
  form_.AddListener(timing_.get());
  recording_ = true;
}

void RunRecorder::End(double continuous_ms) {
  if (!recording_) return;
  log_->End(continuous_ms);
  form_.RemoveListener(log_.get());
  form_.RemoveListener(timing_.get());
  recording_ = false;
}

}  // namespace switchsim
