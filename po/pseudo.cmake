# Writes the pseudo-language's catalog OUTPUT from the template TEMPLATE:
# every text bracketed and a third longer (pseudo.awk), the decimal separator
# a comma so that numbers meant for people show as such.
execute_process(COMMAND ${MSGEN} --no-wrap ${TEMPLATE} OUTPUT_FILE ${OUTPUT}.en COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${MSGFILTER} --no-wrap --keep-header -i ${OUTPUT}.en -o ${OUTPUT}.tmp
                        ${AWK} -f ${AWK_SCRIPT} COMMAND_ERROR_IS_FATAL ANY)
file(READ ${OUTPUT}.tmp po)
string(REPLACE "msgctxt \"decimal separator\"\nmsgid \".\"\nmsgstr \"[.~]\"" "msgctxt \"decimal separator\"\nmsgid \".\"\nmsgstr \",\"" po "${po}")
string(REPLACE "\"Language: \\n\"" "\"Language: pseudo\\n\"" po "${po}")
file(WRITE ${OUTPUT} "${po}")
file(REMOVE ${OUTPUT}.en ${OUTPUT}.tmp)
