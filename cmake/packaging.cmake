# Mirt's desktop identity and its Debian package. The identity names the
# desktop entry and the AppStream component; the package is what
# `cpack -G DEB` in the build folder makes from the install rules
# (desktop/CMakeLists.txt), with its library dependencies found by
# dpkg-shlibdeps and the packages the program needs at run time beside them.

set(MIRT_APP_ID "org.example.mirt" CACHE STRING
    "Reverse-DNS identity of the desktop entry and the AppStream component")
set(MIRT_HOMEPAGE "https://example.org/mirt" CACHE STRING
    "Project page; the AppStream screenshot is MIRT_HOMEPAGE/screenshot.png")
set(MIRT_MAINTAINER "Mirt developers <mirt@example.org>" CACHE STRING
    "Maintainer of the Debian package")

set(CPACK_PACKAGE_NAME mirt)
set(CPACK_PACKAGE_VENDOR "Mirt developers")
set(CPACK_PACKAGE_CONTACT "${MIRT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D vector drawing editor for diagrams and sketches")
set(CPACK_PACKAGE_DESCRIPTION
    "Mirt draws diagrams and technical sketches from eighteen kinds of\n"
    "elements: lines, points, rectangles, circles, ellipses, arcs, pies,\n"
    "chords, rings, polylines, polygons, Bezier curves, splines and text,\n"
    "each with its pen, line width, dash style, line ends and brush. Clicks\n"
    "snap to a grid and to the points of existing elements; every change can\n"
    "be undone. Drawings are stored as .mt files and can be exported as BMP,\n"
    "JPEG, TIFF, GIF, PNG, WMF, EMF, SVG or PDF, also without a display by\n"
    "mirt-export. The user interface is Japanese.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MIRT_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Not libraries the executables link: the IPA fonts stand in for the
# Japanese Windows fonts of drawings and of the default text settings, and
# TIFF export and texture images go through Qt's image format plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-image-formats-plugins")
# Qt's dialogs in Japanese; stand-ins for the other Windows fonts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-ipaexfont, fonts-urw-base35")

include(CPack)
