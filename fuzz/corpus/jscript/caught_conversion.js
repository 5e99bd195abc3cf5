function run(){try{engine.output({toString:function(){throw 1;}});}catch(e){engine.output("handled");}}
