# Fails unless the catalog PO translates every text of the template, with
# none fuzzy or left out: msgfmt's statistics name only translated messages.
execute_process(COMMAND ${MSGFMT} --check --statistics -o /dev/null ${PO}
                ERROR_VARIABLE statistics RESULT_VARIABLE failed)
string(STRIP "${statistics}" statistics)
message(STATUS "${PO}: ${statistics}")
if(failed OR NOT statistics MATCHES "^[0-9]+ translated messages?\\.$")
  message(FATAL_ERROR "${PO} is not complete: ${statistics}")
endif()
