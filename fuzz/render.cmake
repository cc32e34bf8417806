add_fuzz_target(render_jpeg SOURCES RenderJpegFuzz.cpp LIBS zandor_render)
add_fuzz_target(render_rules SOURCES RenderRulesFuzz.cpp LIBS zandor_render)
