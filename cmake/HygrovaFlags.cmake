# Compiler settings shared by every Hygrova target.
# The property model rounds to single precision at fixed points; contracting a*b+c into one
# fused operation or reordering the arithmetic would change the published numbers, so
# contraction is off and fast-math is never used. Vectorisation is off too: g++ 12's vectoriser
# can pack two steps of the form float(c * float) into one double multiply and drop the
# rounding to float in between.
add_library(hygrova_flags INTERFACE)
target_compile_options(hygrova_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -ffp-contract=off -fno-fast-math -fno-tree-vectorize
  $<$<BOOL:${HYGROVA_WARNINGS_AS_ERRORS}>:-Werror>)
if(HYGROVA_SANITIZE)
  target_compile_options(hygrova_flags INTERFACE
    -fsanitize=${HYGROVA_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(hygrova_flags INTERFACE -fsanitize=${HYGROVA_SANITIZE})
endif()
