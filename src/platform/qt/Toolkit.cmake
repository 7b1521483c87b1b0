# The Qt Widgets toolkit of the Linux edition.
target_link_libraries(tallyo PUBLIC Qt6::Widgets)
# moc runs over the toolkit's controls and the program's windows, which are Qt classes here:
# a window class opens with TALLYO_FORM, Q_OBJECT on this toolkit.
set_target_properties(tallyo PROPERTIES AUTOMOC ON)
set_property(TARGET tallyo APPEND PROPERTY AUTOMOC_MACRO_NAMES TALLYO_FORM)
