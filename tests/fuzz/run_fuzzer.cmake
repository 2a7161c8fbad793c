# Runs one fuzz target for a short fixed time over a fresh copy of its seeds:
#   cmake -DFUZZER=<program> -DSEEDS=<seed folder> -DWORK=<corpus folder>
#         -DSECONDS=<n> -DRUNS=<n> -P run_fuzzer.cmake
# Fails when the target finds a crash, a leak or a broken check (libFuzzer
# then writes the input as crash-*, leak-* or timeout-* into WORK/..).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(GLOB seed_files ${SEEDS}/*)
if(NOT seed_files)
  message(FATAL_ERROR "no seeds in ${SEEDS}")
endif()
file(COPY ${seed_files} DESTINATION ${WORK})
get_filename_component(artifacts ${WORK} DIRECTORY)
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -runs=${RUNS} -timeout=10 -rss_limit_mb=2048
          -print_final_stats=1 -artifact_prefix=${artifacts}/ ${WORK}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${rc})")
endif()
