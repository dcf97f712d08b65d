pw_add_test(test_rtf ${CMAKE_CURRENT_LIST_DIR}/RtfReaderTest.cpp)
