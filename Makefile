# Entry points; the scripts do the work and install what is missing when run as root.
.PHONY: test run bench fuzz format

test:
	@scripts/test.sh

run:
	@scripts/run.sh

bench:
	@scripts/bench.sh

fuzz:
	@scripts/fuzz.sh

format:
	@find app runtime values components native framework tests bench fuzz \
	    -name '*.cpp' -o -name '*.h' | xargs clang-format -i
