# Food browsing, picking, the item detail text and the portion dialog.
pw_add_test(test_meals_foods
  ${CMAKE_CURRENT_LIST_DIR}/ItemDetailTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FoodPickingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FoodKeyboardTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FoodRoadTest.cpp
)
