#pragma once
// Writes one JSON document to a stream as it is produced, for documents too large to hold as a
// Value: scalars go straight into a buffer that reaches the stream in pieces of 64 KB.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "json.h"

namespace tabrel::json {

class StreamWriter {
 public:
  // Indented: each item on a line of its own, indented as write() indents. Inline: the whole
  // container on one line without spaces (and so everything within it).
  enum class Layout { Indented, Inline };

  explicit StreamWriter(std::ostream& out);
  StreamWriter(const StreamWriter&) = delete;
  StreamWriter& operator=(const StreamWriter&) = delete;
  ~StreamWriter() { flush(); }

  void begin_object(Layout layout = Layout::Indented) { open('{', layout); }
  void end_object() { close('}'); }
  void begin_array(Layout layout = Layout::Indented) { open('[', layout); }
  void end_array() { close(']'); }
  // The key of the next member of the current object.
  void key(std::string_view name);
  // The values below go at the current place: a member after key(), an item of an array, or
  // the document.
  void value(const Value& v, Layout layout = Layout::Indented);
  void string(std::string_view utf8);
  void string(std::u16string_view utf16);
  void number(double d);
  void boolean(bool b);
  int depth() const { return static_cast<int>(has_items_.size()); }
  // Hands what is written so far to the stream (done when the document closes, and whenever a
  // piece is full).
  void flush();

 private:
  void open(char bracket, Layout layout);
  void close(char bracket);
  void start_item();
  bool in_line() const { return depth() > inline_from_; }
  // Room for `size` more bytes at the end of the buffer.
  char* room(size_t size);
  void wrote_up_to(char* end);
  void put(std::string_view text);
  void put_char(char ch);
  void flush_when_full();

  std::ostream& out_;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_;
  size_t used_ = 0;
  std::vector<uint8_t> has_items_;  // per open object or array: whether it has items yet
  int inline_from_;              // the depth of the outermost inline container
  bool after_key_ = false;
  // The last number written and its text: a cell's computed value is mostly its stored value.
  double last_number_ = 0;
  std::string last_number_text_ = "0";
};

}  // namespace tabrel::json
