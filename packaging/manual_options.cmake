# Puts the options table's list, as option_manual prints it for FRONT_END,
# in place of the line @SWITCHSIM_OPTIONS@ of the manual page IN, into OUT.
# With LANG (a code of the catalogs), the list and the NAME line under
# ".SH NAME" are in that language.
set(lang_args)
if(LANG)
  set(lang_args --lang ${LANG})
endif()
execute_process(COMMAND ${TOOL} ${lang_args} ${FRONT_END} OUTPUT_VARIABLE options COMMAND_ERROR_IS_FATAL ANY)
file(READ ${IN} page)
string(REPLACE "@SWITCHSIM_OPTIONS@\n" "${options}" page "${page}")
if(LANG)
  execute_process(COMMAND ${TOOL} ${lang_args} --summary ${FRONT_END} OUTPUT_VARIABLE name_line
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCH "\\.SH NAME\n[^\n]*\n" english_name "${page}")
  string(REPLACE "${english_name}" ".SH NAME\n${name_line}" page "${page}")
endif()
file(WRITE ${OUT} "${page}")
