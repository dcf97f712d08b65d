pw_add_test(test_numbers NumberTextTest.cpp)
