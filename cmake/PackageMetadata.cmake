# Who answers for the package and where the program's home page is. The
# default address lies on a reserved domain (RFC 2606), so no bug report or
# mail reaches a stranger; whoever publishes the package sets both.
set(SHIPUTONG_MAINTAINER "饰铺通 <shiputong@example.org>" CACHE STRING
    "Maintainer of the Debian package, as 'Name <address>'")
set(SHIPUTONG_HOMEPAGE "" CACHE STRING
    "The program's home page; empty leaves every homepage field out")

# Writes output from template with @SHIPUTONG_MAINTAINER@ and
# @SHIPUTONG_HOMEPAGE@ filled in. Without a homepage, each line naming it is
# dropped, and with it a manual-page heading left with nothing under it: an
# empty field would still claim that a page exists.
function(shiputong_configure_metadata template output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
    file(READ ${template} text)
    if(SHIPUTONG_HOMEPAGE STREQUAL "")
        string(REGEX REPLACE "[^\n]*@SHIPUTONG_HOMEPAGE@[^\n]*\n" "" text "${text}")
        string(REGEX REPLACE "\n\\.SH [^\n]*\n(\\.SH |$)" "\n\\1" text "${text}")
    endif()
    file(CONFIGURE OUTPUT ${output} CONTENT "${text}" @ONLY)
endfunction()
