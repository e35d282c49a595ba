# Card pictures: loading our card module and drawing cards.
target_sources(quintara_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/cardimages.h ${CMAKE_CURRENT_LIST_DIR}/cardimages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/carddrawing.h ${CMAKE_CURRENT_LIST_DIR}/carddrawing.cpp
)
