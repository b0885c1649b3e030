# The pseudo-language's text of one message, for msgfilter: the English text
# lengthened by a third and in brackets, "[Start··]", so that a text left out
# of the catalog shows unbracketed and a layout too tight for longer texts
# shows too.
BEGIN { RS = "\001" }
{
  text = $0
  pad = ""
  for (i = 0; i < int((length(text) + 2) / 3); ++i) pad = pad "~"
  printf "[%s%s]", text, pad
}
