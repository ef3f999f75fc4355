# The fuzz targets with their extra sources and libraries. Included by the fuzzing
# build (fuzz/CMakeLists.txt) and by the normal build's corpus replay
# (tests/fuzz/CMakeLists.txt), each of which defines gramarbor_fuzzer(NAME
# [SOURCES...] [DEPS...] [INCLUDES...]) its own way.
gramarbor_fuzzer(scanner_fuzzer DEPS gramarbor_text)
gramarbor_fuzzer(text_fuzzer DEPS gramarbor_text)
gramarbor_fuzzer(grammar_fuzzer
  SOURCES ${GRAMARBOR_ROOT}/tests/parsing/reference_enumeration.cpp
  DEPS gramarbor_parsing gramarbor_chart gramarbor_rtn gramarbor_grammar
  INCLUDES ${GRAMARBOR_ROOT}/tests/parsing)
gramarbor_fuzzer(bracket_fuzzer SOURCES tree_compare.cpp tree_checks.cpp wmf_check.cpp
  DEPS gramarbor_tree)
gramarbor_fuzzer(labelled_fuzzer SOURCES tree_compare.cpp DEPS gramarbor_tree)
gramarbor_fuzzer(tree_file_fuzzer SOURCES tree_compare.cpp tree_checks.cpp wmf_check.cpp
  DEPS gramarbor_tree)
gramarbor_fuzzer(rtn_file_fuzzer SOURCES wmf_check.cpp DEPS gramarbor_rtn)
gramarbor_fuzzer(markup_fuzzer SOURCES tree_compare.cpp tree_checks.cpp wmf_check.cpp
  DEPS gramarbor_tree)
gramarbor_fuzzer(cond_dialog_fuzzer DEPS gramarbor_rtn)
gramarbor_fuzzer(rtn_walk_fuzzer DEPS gramarbor_rtn gramarbor_tree gramarbor_grammar)
gramarbor_fuzzer(environment_fuzzer DEPS gramarbor_settings)
gramarbor_fuzzer(svg_fuzzer SOURCES ${GRAMARBOR_ROOT}/tests/picture/xml_check.cpp
  DEPS gramarbor_picture EXPAT::EXPAT INCLUDES ${GRAMARBOR_ROOT}/tests/picture)
gramarbor_fuzzer(nltk_fuzzer DEPS gramarbor_grammar)
gramarbor_fuzzer(partial_analysis_fuzzer DEPS gramarbor_parsing gramarbor_grammar)
