# Warnings and Qt definitions shared by the targets of the project.
function(tarvilo_target_defaults target)
    # One section per function: the program links those it calls at start-up
    # together (TarviloStartUpOrder.cmake).
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffunction-sections)
    target_compile_definitions(${target} PRIVATE
        QT_DISABLE_DEPRECATED_BEFORE=0x060400
        QT_NO_CAST_FROM_ASCII)
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
endfunction()

# Tests compare against plenty of string literals: implicit casts allowed.
function(tarvilo_test_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    target_compile_definitions(${target} PRIVATE QT_DISABLE_DEPRECATED_BEFORE=0x060400)
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
endfunction()
