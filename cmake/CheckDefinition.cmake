# Runs a definition over its saved page as `panscout-cli --page` does, and
# compares the rows with the ones saved beside it.
#   cmake -DCLI=... -DID=... -DDIR=... -P CheckDefinition.cmake
execute_process(COMMAND ${CLI} --source ${ID} --page ${DIR}/${ID}.page.html --format tsv movie
  OUTPUT_VARIABLE rows ERROR_VARIABLE messages RESULT_VARIABLE status)
file(READ ${DIR}/${ID}.rows.tsv expected)
if(NOT status EQUAL 0 OR NOT rows STREQUAL expected)
  message(FATAL_ERROR "${ID}: exit ${status}\n${messages}\nlisted:\n${rows}\nexpected:\n${expected}")
endif()
