# The Qt Widgets toolkit of the Linux edition.
target_link_libraries(tallyo PUBLIC Qt6::Widgets)
