#include "exercises/sheet_positions.h"

#include <iterator>
#include <nlohmann/json.hpp>
#include <vector>

#include "form/run_choice.h"
#include "text/translation.h"

namespace switchsim {

std::string LineAndColumn(std::string_view bytes, std::size_t offset) {
  offset = std::min(offset, bytes.size());
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\n') {
      ++line;
      column = 1;
    } else if ((byte & 0xC0) != 0x80) {
      ++column;
    }
  }
  return Fill(Tr("line {0}, column {1}"), {std::to_string(line), std::to_string(column)});
}

namespace {

// A character iterator that tells how far the reader has read, so that each
// event of the reader can be placed in the text.
class CountingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  CountingIterator(const char* at, std::size_t* read, const char* base)
      : at_(at), read_(read), base_(base) {}
  reference operator*() const { return *at_; }
  CountingIterator& operator++() {
    ++at_;
    *read_ = static_cast<std::size_t>(at_ - base_);
    return *this;
  }
  CountingIterator operator++(int) {
    CountingIterator before = *this;
    ++*this;
    return before;
  }
  friend bool operator==(const CountingIterator& a, const CountingIterator& b) { return a.at_ == b.at_; }

 private:
  const char* at_;
  std::size_t* read_;
  const char* base_;
};

inline constexpr std::size_t kDeepestNoted = 3;

// The reader's events, each placed where its token begins: after what the
// reader had read at the event before, past blanks, colons and commas.
class PositionHandler {
 public:
  PositionHandler(std::string_view bytes, const std::size_t& read,
                  std::map<std::string, std::size_t>& starts, nlohmann::json& values)
      : bytes_(bytes), read_(read), starts_(starts), dom_(values, false) {}

  std::optional<std::string> problem;

  bool null() { return Value() && dom_.null(); }
  bool boolean(bool b) { return Value() && dom_.boolean(b); }
  bool number_integer(std::int64_t n) { return Value() && dom_.number_integer(n); }
  bool number_unsigned(std::uint64_t n) { return Value() && dom_.number_unsigned(n); }
  bool number_float(double n, const std::string& text) { return Value() && dom_.number_float(n, text); }
  bool string(std::string& text) { return Value() && dom_.string(text); }
  bool binary(std::vector<std::uint8_t>&) { return false; }  // JSON text has none
  bool start_object(std::size_t size) {
    Value();
    frames_.push_back({false, 0, {}, {}});
    return dom_.start_object(size);
  }
  bool start_array(std::size_t size) {
    Value();
    frames_.push_back({true, 0, {}, {}});
    return dom_.start_array(size);
  }
  bool end_object() { return End() && dom_.end_object(); }
  bool end_array() { return End() && dom_.end_array(); }
  bool key(std::string& name) {
    Frame& frame = frames_.back();
    const std::size_t start = TokenStart();
    last_end_ = read_;
    if (std::find(frame.names.begin(), frame.names.end(), name) != frame.names.end()) {
      problem = LineAndColumn(bytes_, start) + ": " + Fill(Tr("{0} is given twice in one object"), {Quoted(name)});
      return false;
    }
    frame.names.push_back(name);
    frame.key = name;
    return dom_.key(name);
  }
  bool parse_error(std::size_t position, const std::string& /*last_token*/,
                   const nlohmann::json::exception& error) {
    std::string what = error.what();
    // The library's own words, after its own position.
    if (const std::size_t column = what.find("column "); column != std::string::npos) {
      if (const std::size_t colon = what.find(": ", column); colon != std::string::npos) {
        what = what.substr(colon + 2);
      }
    }
    // What it last read may be the very bytes that are not text.
    if (const std::size_t read = what.find("; last read:"); read != std::string::npos) what.erase(read);
    const std::size_t at = position == 0 ? 0 : position - 1;
    const std::string_view here = bytes_.substr(std::min(at, bytes_.size()), 2);
    if (here == "//" || here == "/*") {
      what = Tr("JSON has no comments; take the comment out, or put the words in \"explain\"");
    }
    problem = LineAndColumn(bytes_, at) + ": " + what;
    return false;
  }

 private:
  struct Frame {
    bool array = false;
    std::size_t values = 0;  // of an array: its values so far, the last the one being read
    std::string key;
    std::vector<std::string> names;
  };

  std::size_t TokenStart() const {
    std::size_t at = last_end_;
    while (at < bytes_.size() && std::string_view(" \t\r\n:,").find(bytes_[at]) != std::string_view::npos) ++at;
    return at;
  }

  bool Value() {
    const std::size_t start = TokenStart();
    last_end_ = read_;
    if (!frames_.empty() && frames_.back().array) ++frames_.back().values;
    if (frames_.size() <= kDeepestNoted) {
      std::string path;
      for (const Frame& frame : frames_) {
        path += "/" + (frame.array ? std::to_string(frame.values - 1) : frame.key);
      }
      starts_.emplace(path, start);
    }
    return true;
  }

  bool End() {
    frames_.pop_back();
    last_end_ = read_;
    return true;
  }

  std::string_view bytes_;
  const std::size_t& read_;
  std::map<std::string, std::size_t>& starts_;
  std::vector<Frame> frames_;
  std::size_t last_end_ = 0;
  // The library's own builder of values; what the reader reads goes to it as well.
  nlohmann::detail::json_sax_dom_parser<nlohmann::json> dom_;
};

}  // namespace

std::optional<std::string> SheetPositions::Scan(nlohmann::json& values) {
  std::size_t read = 0;
  PositionHandler handler(bytes_, read, starts_, values);
  const char* base = bytes_.data();
  nlohmann::json::sax_parse(CountingIterator(base, &read, base),
                            CountingIterator(base + bytes_.size(), &read, base), &handler);
  return handler.problem;
}

std::size_t SheetPositions::Of(const std::string& path) const {
  const auto found = starts_.find(path);
  return found == starts_.end() ? 0 : found->second;
}

}  // namespace switchsim
