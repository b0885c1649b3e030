# The pseudo-language's text of one message, for msgfilter: the English text
# lengthened by a third and in brackets, "[Start··]", so that a text left out
# of the catalog shows unbracketed and a layout too tight for longer texts
# shows too. A text's leading and trailing line breaks stay outside the
# brackets, where gettext expects them to match the English.
BEGIN { RS = "\001" }
{
  text = $0
  head = ""
  tail = ""
  while (substr(text, 1, 1) == "\n") { head = head "\n"; text = substr(text, 2) }
  while (length(text) > 0 && substr(text, length(text), 1) == "\n") {
    tail = tail "\n"
    text = substr(text, 1, length(text) - 1)
  }
  pad = ""
  for (i = 0; i < int((length(text) + 2) / 3); ++i) pad = pad "~"
  printf "%s[%s%s]%s", head, text, pad, tail
}
