# The fuzz targets, one per reader of outside input:
# NAME:SOURCE:LIBRARY:TARGET. fuzz/CMakeLists.txt builds TARGET from SOURCE
# with libFuzzer; the unit test fuzz_corpus_tests links every SOURCE (any
# compiler) and replays its seed corpus, fuzz/corpus/NAME/, so a crash input
# once added stays fixed. fuzz/NAME.dict, where present, is the target's
# dictionary (scripts/fuzz passes it).
set(LUMORA_FUZZERS
  message:MessageFuzzer.cpp:corvane_testing:corvane_message_fuzzer
  registry:RegistryFuzzer.cpp:corvane_testing:corvane_registry_fuzzer
  frame_codec:FrameCodecFuzzer.cpp:corvane_testing:frame_codec_fuzzer
  discovery_answer:DiscoveryAnswerFuzzer.cpp:lumora_engine:discovery_answer_fuzzer
  ini_reader:IniReaderFuzzer.cpp:lumora_engine:ini_reader_fuzzer
  dhcp_lease:DhcpLeaseFuzzer.cpp:corvane_testing:dhcp_lease_fuzzer
  route_table:RouteTableFuzzer.cpp:corvane_testing:route_table_fuzzer
  sim_config:SimConfigFuzzer.cpp:printer_sim_core:sim_config_fuzzer
  provisioning_csv:ProvisioningCsvFuzzer.cpp:lumora_cli_core:provisioning_csv_fuzzer
  journal:JournalFuzzer.cpp:lumora_engine:journal_fuzzer
  printer_answer:PrinterAnswerFuzzer.cpp:corvane_testing:printer_answer_fuzzer)

# Splits one entry of LUMORA_FUZZERS into the four variables given.
function(lumora_fuzzer_parts spec name_var source_var library_var target_var)
  string(REPLACE ":" ";" parts ${spec})
  list(GET parts 0 name)
  list(GET parts 1 source)
  list(GET parts 2 library)
  list(GET parts 3 target)
  set(${name_var} ${name} PARENT_SCOPE)
  set(${source_var} ${source} PARENT_SCOPE)
  set(${library_var} ${library} PARENT_SCOPE)
  set(${target_var} ${target} PARENT_SCOPE)
endfunction()
