// SQLiteCpp's Column.cpp includes <iostream> for an operator<< this program never calls, so its
// static std::ios_base::Init would build the eight standard C++ streams and every locale facet
// they use at each start: about 0.3 MB of libstdc++ touched for nothing. The executable is linked
// with --wrap for that constructor and its destructor (app/CMakeLists.txt), and these stand in.
// A string stream still works (it sets up its locale when made); only std::cout and its kin stay
// unmade, and the program uses none of them: tests/app/no_streams.sh fails if it starts to.
extern "C" {
void __wrap__ZNSt8ios_base4InitC1Ev(void*) {}
void __wrap__ZNSt8ios_base4InitD1Ev(void*) {}
}
