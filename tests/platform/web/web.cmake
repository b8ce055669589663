# The browser build in headless Chromium and Firefox ESR: built by scripts/build-web.sh from
# this build's media, then checked against this build's own runner. Only in the plain
# native suite.
option(SKARNFALL_WEB_TESTS "Build the browser version and check it in headless browsers" ON)
if(SKARNFALL_WEB_TESTS AND NOT SKARNFALL_SANITIZE AND NOT CMAKE_CROSSCOMPILING)
  add_test(NAME web_browser
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/browser-check.sh ${CMAKE_BINARY_DIR}/web
            ${SKARNFALL_GAME_DIR}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  # The page's keys by place and its controls panel; needs Chromium, not the web build.
  add_test(NAME web_keys
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/keys_test.py ${CMAKE_SOURCE_DIR}/platform/web/page)
  set_tests_properties(web_keys PROPERTIES TIMEOUT 300)
  set_tests_properties(web_browser PROPERTIES TIMEOUT 3600 FIXTURES_SETUP web_site)
  # The touch controls on an emulated phone, on the site web_browser built.
  add_test(NAME web_touch
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/touch_test.py ${CMAKE_BINARY_DIR}/web/site
            ${SKARNFALL_GAME_DIR}/skarnfall-run ${CMAKE_BINARY_DIR}/web/touch)
  set_tests_properties(web_touch PROPERTIES TIMEOUT 900 FIXTURES_REQUIRED web_site)
endif()
# The browser and package checks install nothing and build inside their own tree.
if(NOT SKARNFALL_SANITIZE AND NOT CMAKE_CROSSCOMPILING AND NOT SKARNFALL_HANDHELD)
  add_test(NAME web_hygiene_test
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/hygiene_test.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
endif()
