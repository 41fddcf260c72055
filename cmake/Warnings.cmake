# One warning level for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
