# View tests: QtTest on the real windows under the offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test Widgets)

function(gravlin_add_view_test name)
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
  set_target_properties(${name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(${name} PRIVATE gravlin_ui gravlin_test_support Qt6::Test gravlin_warnings)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()

gravlin_add_view_test(tst_windows)
# At twice the size on a 1920 x 1080 screen: every window lies on the screen, and the notice
# still fits its text.
set(GRAVLIN_TEST_SCREEN ${CMAKE_CURRENT_BINARY_DIR}/screen-1920x1080.json)
file(WRITE ${GRAVLIN_TEST_SCREEN} [[{"screens": [{"name": "test", "x": 0, "y": 0, "width": 1920, "height": 1080,
  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}
]])
add_test(NAME tst_windows_scale2
         COMMAND tst_windows everyWindowLiesOnItsScreen)
set_tests_properties(tst_windows_scale2 PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${GRAVLIN_TEST_SCREEN};QT_SCALE_FACTOR=2" TIMEOUT 120)
