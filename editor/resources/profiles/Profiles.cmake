# The default profiles: each readable description here (*.profile) becomes a profile file in
# PROFILES/ beside the program, written by a small tool that uses the editor's own codec.
add_executable(kelvane_make_profile
    ${CMAKE_CURRENT_LIST_DIR}/make_profile.cpp
    ${PROJECT_SOURCE_DIR}/editor/prefs/ProfileRecord.cpp
    ${PROJECT_SOURCE_DIR}/editor/prefs/KeywordListCodec.cpp
    ${PROJECT_SOURCE_DIR}/editor/document/KeywordList.cpp
    ${PROJECT_SOURCE_DIR}/editor/settings/EditorSettings.cpp
    ${PROJECT_SOURCE_DIR}/editor/settings/SettingForms.cpp
    ${PROJECT_SOURCE_DIR}/editor/platform/SettingsStore.cpp
    ${PROJECT_SOURCE_DIR}/editor/platform/TextEncoding.cpp)
target_include_directories(kelvane_make_profile PRIVATE ${PROJECT_SOURCE_DIR}/editor)
target_link_libraries(kelvane_make_profile PRIVATE Qt6::Core)

file(GLOB KELVANE_PROFILE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.profile)
set(KELVANE_PROFILES)
foreach(source IN LISTS KELVANE_PROFILE_SOURCES)
    # The profile's name is its file name without an extension, as the editor lists it.
    get_filename_component(name ${source} NAME_WLE)
    set(profile ${KELVANE_RUNTIME_DIR}/PROFILES/${name})
    add_custom_command(OUTPUT ${profile}
        COMMAND kelvane_make_profile ${source} ${profile}
        DEPENDS kelvane_make_profile ${source}
        COMMENT "Writing profile ${name}"
        VERBATIM)
    list(APPEND KELVANE_PROFILES ${profile})
endforeach()
add_custom_target(kelvane_profiles ALL DEPENDS ${KELVANE_PROFILES})
# Whatever uses the editor's code (the program, the tests) finds the profiles in place.
add_dependencies(kelvane_app kelvane_profiles)
