# The Debian package: `cmake --build BUILD --target package` makes
# texelsmithy_<version>_<arch>.deb from what `cmake --install` installs under /usr.
# The desktop's caches (MIME types, menu entries, icons, manual pages) are refreshed by the
# file triggers of the packages that own them, so the package needs no maintainer scripts.
set(TEXEL_PACKAGE_MAINTAINER "${TEXEL_COMPANY} <texelsmithy@velmora.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME texelsmithy)
set(CPACK_PACKAGE_VENDOR "${TEXEL_COMPANY}")
set(CPACK_PACKAGE_CONTACT "${TEXEL_PACKAGE_MAINTAINER}")
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Staged through DESTDIR, so the install leaves the desktop's caches to the triggers.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "bitmap fonts for the GP32 handheld console
TexelSmithy turns an installed font into a ZGF bitmap font for the GP32
handheld console, as a ZGF file or as C source to compile into a GP32
program. Glyphs can be edited by hand as BMP pictures.

Beside the editor stand a ZGF font viewer, an extractor of ZGF fonts
embedded in other files, a converter of any file to C source, and
texelsmithy-cli, which does the same from scripts and Makefiles.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plugins, so the library scan cannot see them: the SVG icon engine draws the
# toolbar's icons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Arial's metric twin, the font a new document starts from.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")

include(CPack)
