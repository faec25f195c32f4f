# The fuzz targets, one per reader of outside input: NAME:SOURCE:LIBRARY.
# fuzz/CMakeLists.txt builds NAME_fuzzer from SOURCE with libFuzzer; the unit
# test fuzz_corpus_tests links every SOURCE (any compiler) and replays its
# seed corpus, fuzz/corpus/NAME/, so a crash input once added stays fixed.
set(LUMORA_FUZZERS
  message:MessageFuzzer.cpp:corvane_testing
  frame_codec:FrameCodecFuzzer.cpp:corvane_testing
  discovery_answer:DiscoveryAnswerFuzzer.cpp:lumora_engine
  ini_reader:IniReaderFuzzer.cpp:lumora_engine
  dhcp_lease:DhcpLeaseFuzzer.cpp:corvane_testing
  route_table:RouteTableFuzzer.cpp:corvane_testing
  sim_config:SimConfigFuzzer.cpp:printer_sim_core)

# Splits one entry of LUMORA_FUZZERS into the three variables given.
function(lumora_fuzzer_parts spec name_var source_var library_var)
  string(REPLACE ":" ";" parts ${spec})
  list(GET parts 0 name)
  list(GET parts 1 source)
  list(GET parts 2 library)
  set(${name_var} ${name} PARENT_SCOPE)
  set(${source_var} ${source} PARENT_SCOPE)
  set(${library_var} ${library} PARENT_SCOPE)
endfunction()
