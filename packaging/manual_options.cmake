# Puts the options table's list, as option_manual prints it for FRONT_END,
# in place of the line @SWITCHSIM_OPTIONS@ of the manual page IN, into OUT.
execute_process(COMMAND ${TOOL} ${FRONT_END} OUTPUT_VARIABLE options COMMAND_ERROR_IS_FATAL ANY)
file(READ ${IN} page)
string(REPLACE "@SWITCHSIM_OPTIONS@\n" "${options}" page "${page}")
file(WRITE ${OUT} "${page}")
